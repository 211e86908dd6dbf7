#include "overview/thumbnail_service_win32.h"

namespace corvan {
namespace {

template <typename Call>
Call Resolve(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

class SystemThumbnails final : public ThumbnailService {
 public:
  SystemThumbnails() : module_(LoadLibraryW(L"dwmapi.dll")) {
    isCompositionEnabled_ = Resolve<decltype(isCompositionEnabled_)>(module_, "DwmIsCompositionEnabled");
    register_ = Resolve<decltype(register_)>(module_, "DwmRegisterThumbnail");
    unregister_ = Resolve<decltype(unregister_)>(module_, "DwmUnregisterThumbnail");
    querySourceSize_ = Resolve<decltype(querySourceSize_)>(module_, "DwmQueryThumbnailSourceSize");
    updateProperties_ = Resolve<decltype(updateProperties_)>(module_, "DwmUpdateThumbnailProperties");
  }
  ~SystemThumbnails() override {
    if (module_) FreeLibrary(module_);
  }

  bool CompositionOn() override {
    if (!isCompositionEnabled_ || !register_ || !unregister_ || !querySourceSize_ || !updateProperties_) return false;
    BOOL on = FALSE;
    return SUCCEEDED(isCompositionEnabled_(&on)) && on;
  }
  bool Register(HWND destination, HWND source, HTHUMBNAIL* thumbnail) override {
    *thumbnail = nullptr;
    return register_ && SUCCEEDED(register_(destination, source, thumbnail)) && *thumbnail;
  }
  SIZE SourceSize(HTHUMBNAIL thumbnail) override {
    SIZE size{};
    if (querySourceSize_) querySourceSize_(thumbnail, &size);
    return size;
  }
  void Place(HTHUMBNAIL thumbnail, const Rect& where) override {
    if (!updateProperties_) return;
    DWM_THUMBNAIL_PROPERTIES properties{};
    properties.dwFlags = DWM_TNP_RECTDESTINATION | DWM_TNP_OPACITY | DWM_TNP_VISIBLE;
    properties.rcDestination = {where.left, where.top, where.right, where.bottom};
    properties.opacity = 255;
    properties.fVisible = TRUE;
    updateProperties_(thumbnail, &properties);
  }
  void Unregister(HTHUMBNAIL thumbnail) override {
    if (unregister_) unregister_(thumbnail);
  }

 private:
  HMODULE module_;
  HRESULT(WINAPI* isCompositionEnabled_)(BOOL*) = nullptr;
  HRESULT(WINAPI* register_)(HWND, HWND, HTHUMBNAIL*) = nullptr;
  HRESULT(WINAPI* unregister_)(HTHUMBNAIL) = nullptr;
  HRESULT(WINAPI* querySourceSize_)(HTHUMBNAIL, SIZE*) = nullptr;
  HRESULT(WINAPI* updateProperties_)(HTHUMBNAIL, const DWM_THUMBNAIL_PROPERTIES*) = nullptr;
};

}  // namespace

std::unique_ptr<ThumbnailService> LoadSystemThumbnails() { return std::make_unique<SystemThumbnails>(); }

}  // namespace corvan
