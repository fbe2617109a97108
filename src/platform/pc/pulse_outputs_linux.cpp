#include "platform/pc/pulse_outputs_linux.h"

#include <pulse/pulseaudio.h>

#include <chrono>
#include <functional>

#include "core/ports/log.h"

namespace zr4 {

namespace {

struct Sink {
  std::string name;
  std::string description;
};

// One connection to the server on a main loop of its own, run only while an answer is awaited,
// so the program stays on its one thread.
class PulseSession {
 public:
  explicit PulseSession(int timeoutMs)
      : deadline_(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs)) {
    loop_ = pa_mainloop_new();
    if (loop_ == nullptr) return;
    context_ = pa_context_new(pa_mainloop_get_api(loop_), "zr4pcctrl");
    if (context_ == nullptr) return;
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return;
    RunUntil([this] {
      const pa_context_state_t state = pa_context_get_state(context_);
      return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    });
    ready_ = pa_context_get_state(context_) == PA_CONTEXT_READY;
  }

  ~PulseSession() {
    if (context_) {
      pa_context_disconnect(context_);
      pa_context_unref(context_);
    }
    if (loop_) pa_mainloop_free(loop_);
  }

  bool Ready() const { return ready_; }

  // Runs the loop until `done` holds, the connection fails or the time is up.
  bool RunUntil(const std::function<bool()>& done) {
    while (!done()) {
      if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context_))) return false;
      const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
          deadline_ - std::chrono::steady_clock::now());
      if (left.count() <= 0) {
        LogText("PulseOutputs: the sound server did not answer in time");
        return false;
      }
      if (pa_mainloop_prepare(loop_, static_cast<int>(left.count())) < 0 ||
          pa_mainloop_poll(loop_) < 0 || pa_mainloop_dispatch(loop_) < 0)
        return false;
    }
    return true;
  }

  // Waits for an operation to end; false when it did not.
  bool Wait(pa_operation* operation) {
    if (operation == nullptr) return false;
    const bool done =
        RunUntil([operation] { return pa_operation_get_state(operation) != PA_OPERATION_RUNNING; });
    if (!done) pa_operation_cancel(operation);
    pa_operation_unref(operation);
    return done;
  }

  std::vector<Sink> Sinks() {
    std::vector<Sink> sinks;
    Wait(pa_context_get_sink_info_list(
        context_,
        [](pa_context*, const pa_sink_info* info, int eol, void* data) {
          if (eol == 0 && info != nullptr)
            static_cast<std::vector<Sink>*>(data)->push_back(
                {info->name ? info->name : "", info->description ? info->description : ""});
        },
        &sinks));
    return sinks;
  }

  std::string DefaultSinkName() {
    std::string name;
    Wait(pa_context_get_server_info(
        context_,
        [](pa_context*, const pa_server_info* info, void* data) {
          if (info != nullptr && info->default_sink_name != nullptr)
            *static_cast<std::string*>(data) = info->default_sink_name;
        },
        &name));
    return name;
  }

  bool SetDefaultSink(const std::string& name) {
    bool succeeded = false;
    return Wait(pa_context_set_default_sink(context_, name.c_str(), StoreSuccess, &succeeded)) &&
           succeeded;
  }

  std::vector<std::uint32_t> SinkInputs() {
    std::vector<std::uint32_t> inputs;
    Wait(pa_context_get_sink_input_info_list(
        context_,
        [](pa_context*, const pa_sink_input_info* info, int eol, void* data) {
          if (eol == 0 && info != nullptr)
            static_cast<std::vector<std::uint32_t>*>(data)->push_back(info->index);
        },
        &inputs));
    return inputs;
  }

  bool MoveSinkInput(std::uint32_t input, const std::string& sink) {
    bool succeeded = false;
    return Wait(pa_context_move_sink_input_by_name(context_, input, sink.c_str(), StoreSuccess,
                                                   &succeeded)) &&
           succeeded;
  }

 private:
  static void StoreSuccess(pa_context*, int success, void* data) {
    *static_cast<bool*>(data) = success != 0;
  }

  std::chrono::steady_clock::time_point deadline_;
  pa_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  bool ready_ = false;
};

}  // namespace

std::vector<std::string> PulseOutputs::OutputNames() {
  return ReadOutputs().Names;
}

std::string PulseOutputs::PreferredOutput() {
  return ReadOutputs().Preferred;
}

TAudioOutputList PulseOutputs::ReadOutputs() {
  PulseSession session(timeoutMs_);
  TAudioOutputList list;
  if (!session.Ready()) {
    LogText("PulseOutputs: no sound server");
    return list;
  }
  const std::string preferred = session.DefaultSinkName();
  for (const Sink& sink : session.Sinks()) {
    list.Names.push_back(sink.description);
    if (sink.name == preferred) list.Preferred = sink.description;
  }
  return list;
}

void PulseOutputs::SetPreferredOutput(const std::string& name) {
  PulseSession session(timeoutMs_);
  if (!session.Ready()) {
    LogText("PulseOutputs: no sound server; the output stays as it was");
    return;
  }
  for (const Sink& sink : session.Sinks()) {
    if (sink.description != name) continue;
    if (!session.SetDefaultSink(sink.name)) {
      LogText("PulseOutputs: the server refused the default output " + sink.name);
      return;
    }
    // New streams follow the default; those already playing are moved.
    for (const std::uint32_t input : session.SinkInputs())
      if (!session.MoveSinkInput(input, sink.name))
        LogText("PulseOutputs: stream " + std::to_string(input) + " could not be moved");
    return;
  }
  LogText("PulseOutputs: no output named " + name);
}

}  // namespace zr4
