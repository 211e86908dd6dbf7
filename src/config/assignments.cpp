#include "config/assignments.h"

namespace corvan {

int32_t ComputeFlagByte(int32_t bt3, int32_t bt4, int32_t forwardId, int32_t backwardId) {
  int32_t flags = 0;
  if (bt3 != -1 && bt3 != forwardId) flags += kFlagForwardReassigned;
  if (bt4 != -1 && bt4 != backwardId) flags += kFlagBackwardReassigned;
  return flags;
}

void UpdateFlagByte(Assignments& assignments, const Catalogue& catalogue) {
  assignments.flagByte = ComputeFlagByte(assignments.bt3, assignments.bt4, catalogue.forwardId, catalogue.backwardId);
}

void ValidateAfterLoad(Assignments& assignments, const Catalogue& catalogue) {
  for (const StoredSlot& stored : kStoredSlots) {
    std::atomic<int32_t>& slot = assignments.*stored.slot;
    if (stored.validatedAtLoad && !catalogue.IsValidId(slot)) slot = 0;
  }
}

void SetFactoryAssignment(Assignments& assignments, const Catalogue& catalogue) {
  assignments.buttonOrder = 0;
  assignments.extraKey = 0;
  assignments.gestureUp = 0;
  assignments.gestureDown = 0;
  assignments.gestureLeft = 0;
  assignments.gestureRight = 0;
  assignments.bt0 = 0;
  assignments.bt1 = 0;
  assignments.bt2 = 0;
  assignments.flagByte = 0;
  assignments.bt3 = catalogue.forwardId < catalogue.Count() ? catalogue.forwardId : 0;
  assignments.bt4 = catalogue.backwardId < catalogue.Count() ? catalogue.backwardId : 0;
}

void ApplyFactoryDefaults(Assignments& assignments, const Catalogue& catalogue, FactoryDefaultEffects& effects) {
  SetFactoryAssignment(assignments, catalogue);
  effects.SaveSettings();
  effects.RepaintMainWindow();
  effects.PulseDefaultsEvent();
}

bool IsButtonOrder(int32_t order) { return order >= 0 && order < kButtonOrderCount; }

bool AssignEditableSlot(Assignments& assignments, int32_t slot, int32_t function) {
  if (slot < 0 || slot >= static_cast<int32_t>(std::size(kEditableSlots))) return false;
  assignments.*kEditableSlots[slot] = function;
  return true;
}

}  // namespace corvan
