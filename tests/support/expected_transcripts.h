#pragma once

// The exact transcripts each receiver family hears, as the simulated receivers declare their
// report lengths (see ReceiverOfFamily). Shared by the family and the link tests.
#include <cstdint>
#include <initializer_list>

#include "receiver_simulator.h"

namespace corvan::testing {

inline Transcript Concat(std::initializer_list<Transcript> parts) {
  Transcript all;
  for (const Transcript& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The simulated receivers declare these lengths (see ReceiverOfFamily).
inline constexpr size_t kFamily1Length = 33;
inline constexpr size_t kNineBytes = 9;
inline constexpr size_t kFamily5Length = 21;

inline Transcript Family1Apply(uint8_t f) {
  return {SentOutput({0x07}, kFamily1Length),
          Waited(4),
          AskedInput(0x07, kFamily1Length),
          SentOutput({0x07, 0x01, 0x0C, 0x12, 0x03, 0x05, f}, kFamily1Length)};
}

// One guarded exchange with a receiver that is ready at once and busy for one poll after
// the command.
inline Transcript Guarded(std::initializer_list<uint8_t> frame, uint32_t waitMs) {
  return {AskedFeature(0x00, kNineBytes), Waited(2), SentFeature(frame, kNineBytes),
          Waited(waitMs), AskedFeature(0x00, kNineBytes), Waited(4),
          AskedFeature(0x00, kNineBytes), Waited(3)};
}

inline Transcript Family2Apply(uint8_t f, uint8_t check) {
  return Concat({Guarded({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, 10),
                 Guarded({0x00, 0x00, 0x12, 0x12, 0x12, 0x12, 0x12, 0x12, 0x00}, 20),
                 Guarded({0x00, 0x02, f, 0x00, 0x01, 0x00, 0x00, 0x00, check}, 20)});
}

inline Transcript Family3(uint8_t enable, uint8_t f) {
  return {AskedString(148, 2048), SentFeature({0x00, 0x00, 0x02, enable}, kNineBytes), Waited(4),
          SentFeature({0x00, 0x00, 0x03, f}, kNineBytes)};
}

inline Transcript Family4(uint8_t enable, uint8_t f) {
  return {AskedString(120, 256), SentFeature({0x00, 0x07, 0x01, enable}, kNineBytes),
          Waited(10),
          SentFeature({0x00, 0x07, 0x02, f, 0x00, 0x12, 0x12, 0x12, 0x00}, kNineBytes)};
}

inline Transcript Family5Apply(uint8_t f, uint8_t e) {
  return {SentFeature({0x05}, kFamily5Length), Waited(10), AskedFeature(0x05, kFamily5Length),
          Waited(100), SentFeature({0x05, 0x00, 0x00, 0x11, 0x11, f, e}, kFamily5Length)};
}

inline Transcript Family6(uint32_t orderIndex, uint32_t lastIndex) {
  return {AskedString(148, 2048), AskedString(orderIndex, 2048), AskedString(199, 2048),
          AskedString(lastIndex, 2048)};
}

}  // namespace corvan::testing
