// The sound server's client library (libpulse), opened at run time on first use rather than
// linked: a start that never asks for the audio outputs maps neither it nor its codec chain.
#pragma once

#include <pulse/pulseaudio.h>

#include <memory>
#include <string>

namespace zr4 {

// The libpulse functions the audio outputs use, resolved from one opened library.
struct PulseLibrary {
  decltype(&pa_mainloop_new) mainloop_new;
  decltype(&pa_mainloop_get_api) mainloop_get_api;
  decltype(&pa_mainloop_prepare) mainloop_prepare;
  decltype(&pa_mainloop_poll) mainloop_poll;
  decltype(&pa_mainloop_dispatch) mainloop_dispatch;
  decltype(&pa_mainloop_free) mainloop_free;
  decltype(&pa_context_new) context_new;
  decltype(&pa_context_connect) context_connect;
  decltype(&pa_context_get_state) context_get_state;
  decltype(&pa_context_disconnect) context_disconnect;
  decltype(&pa_context_unref) context_unref;
  decltype(&pa_context_get_sink_info_list) context_get_sink_info_list;
  decltype(&pa_context_get_server_info) context_get_server_info;
  decltype(&pa_context_set_default_sink) context_set_default_sink;
  decltype(&pa_context_get_sink_input_info_list) context_get_sink_input_info_list;
  decltype(&pa_context_move_sink_input_by_name) context_move_sink_input_by_name;
  decltype(&pa_operation_get_state) operation_get_state;
  decltype(&pa_operation_cancel) operation_cancel;
  decltype(&pa_operation_unref) operation_unref;

  // Opens the library at `path` (a file name is looked up as the dynamic linker does) and
  // resolves every function; null, with the reason logged, when the library is missing or lacks
  // one of them. Once opened, the library stays loaded for the life of the process, as a linked
  // one would.
  static std::unique_ptr<PulseLibrary> Open(const std::string& path);
};

}  // namespace zr4
