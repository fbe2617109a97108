#include "platform/gestures/pulse_library_linux.h"

#include <dlfcn.h>

#include "core/ports/log.h"

namespace zr4 {

namespace {

// Resolves `name` into `function`; false when the library does not export it.
template <typename Function>
bool Resolve(void* handle, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(handle, name));
  return function != nullptr;
}

}  // namespace

std::unique_ptr<PulseLibrary> PulseLibrary::Open(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    LogText("PulseOutputs: no sound server library: " + std::string(reason ? reason : path));
    return nullptr;
  }
  auto library = std::make_unique<PulseLibrary>();
  PulseLibrary& l = *library;
  const bool complete =
      Resolve(handle, "pa_mainloop_new", l.mainloop_new) &&
      Resolve(handle, "pa_mainloop_get_api", l.mainloop_get_api) &&
      Resolve(handle, "pa_mainloop_prepare", l.mainloop_prepare) &&
      Resolve(handle, "pa_mainloop_poll", l.mainloop_poll) &&
      Resolve(handle, "pa_mainloop_dispatch", l.mainloop_dispatch) &&
      Resolve(handle, "pa_mainloop_free", l.mainloop_free) &&
      Resolve(handle, "pa_context_new", l.context_new) &&
      Resolve(handle, "pa_context_connect", l.context_connect) &&
      Resolve(handle, "pa_context_get_state", l.context_get_state) &&
      Resolve(handle, "pa_context_disconnect", l.context_disconnect) &&
      Resolve(handle, "pa_context_unref", l.context_unref) &&
      Resolve(handle, "pa_context_get_sink_info_list", l.context_get_sink_info_list) &&
      Resolve(handle, "pa_context_get_server_info", l.context_get_server_info) &&
      Resolve(handle, "pa_context_set_default_sink", l.context_set_default_sink) &&
      Resolve(handle, "pa_context_get_sink_input_info_list", l.context_get_sink_input_info_list) &&
      Resolve(handle, "pa_context_move_sink_input_by_name", l.context_move_sink_input_by_name) &&
      Resolve(handle, "pa_operation_get_state", l.operation_get_state) &&
      Resolve(handle, "pa_operation_cancel", l.operation_cancel) &&
      Resolve(handle, "pa_operation_unref", l.operation_unref);
  if (!complete) {
    LogText("PulseOutputs: " + path + " is not a usable sound server library");
    dlclose(handle);  // nothing of it was called
    return nullptr;
  }
  return library;
}

}  // namespace zr4
