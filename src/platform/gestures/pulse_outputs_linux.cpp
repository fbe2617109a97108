#include "platform/gestures/pulse_outputs_linux.h"

#include <chrono>
#include <functional>
#include <utility>

#include "core/ports/log.h"
#include "platform/gestures/pulse_library_linux.h"

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
  PulseSession(const PulseLibrary& lib, int timeoutMs)
      : lib_(lib),
        deadline_(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs)) {
    loop_ = lib_.mainloop_new();
    if (loop_ == nullptr) return;
    context_ = lib_.context_new(lib_.mainloop_get_api(loop_), "zr4pcctrl");
    if (context_ == nullptr) return;
    if (lib_.context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return;
    RunUntil([this] {
      const pa_context_state_t state = lib_.context_get_state(context_);
      return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    });
    ready_ = lib_.context_get_state(context_) == PA_CONTEXT_READY;
  }

  ~PulseSession() {
    if (context_) {
      lib_.context_disconnect(context_);
      lib_.context_unref(context_);
    }
    if (loop_) lib_.mainloop_free(loop_);
  }

  bool Ready() const { return ready_; }

  // Runs the loop until `done` holds, the connection fails or the time is up.
  bool RunUntil(const std::function<bool()>& done) {
    while (!done()) {
      if (!PA_CONTEXT_IS_GOOD(lib_.context_get_state(context_))) return false;
      const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
          deadline_ - std::chrono::steady_clock::now());
      if (left.count() <= 0) {
        LogText("PulseOutputs: the sound server did not answer in time");
        return false;
      }
      if (lib_.mainloop_prepare(loop_, static_cast<int>(left.count())) < 0 ||
          lib_.mainloop_poll(loop_) < 0 || lib_.mainloop_dispatch(loop_) < 0)
        return false;
    }
    return true;
  }

  // Waits for an operation to end; false when it did not.
  bool Wait(pa_operation* operation) {
    if (operation == nullptr) return false;
    const bool done = RunUntil(
        [this, operation] { return lib_.operation_get_state(operation) != PA_OPERATION_RUNNING; });
    if (!done) lib_.operation_cancel(operation);
    lib_.operation_unref(operation);
    return done;
  }

  std::vector<Sink> Sinks() {
    std::vector<Sink> sinks;
    Wait(lib_.context_get_sink_info_list(
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
    Wait(lib_.context_get_server_info(
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
    return Wait(lib_.context_set_default_sink(context_, name.c_str(), StoreSuccess, &succeeded)) &&
           succeeded;
  }

  std::vector<std::uint32_t> SinkInputs() {
    std::vector<std::uint32_t> inputs;
    Wait(lib_.context_get_sink_input_info_list(
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
    return Wait(lib_.context_move_sink_input_by_name(context_, input, sink.c_str(), StoreSuccess,
                                                     &succeeded)) &&
           succeeded;
  }

 private:
  static void StoreSuccess(pa_context*, int success, void* data) {
    *static_cast<bool*>(data) = success != 0;
  }

  const PulseLibrary& lib_;
  std::chrono::steady_clock::time_point deadline_;
  pa_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  bool ready_ = false;
};

}  // namespace

PulseOutputs::PulseOutputs(int timeoutMs, std::string library)
    : timeoutMs_(timeoutMs), libraryPath_(std::move(library)) {}

PulseOutputs::~PulseOutputs() = default;

const PulseLibrary* PulseOutputs::Library() {
  if (!libraryTried_) {
    libraryTried_ = true;
    library_ = PulseLibrary::Open(libraryPath_);
  }
  return library_.get();
}

std::vector<std::string> PulseOutputs::OutputNames() {
  return ReadOutputs().Names;
}

std::string PulseOutputs::PreferredOutput() {
  return ReadOutputs().Preferred;
}

TAudioOutputList PulseOutputs::ReadOutputs() {
  TAudioOutputList list;
  const PulseLibrary* library = Library();
  if (library == nullptr) return list;
  PulseSession session(*library, timeoutMs_);
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
  const PulseLibrary* library = Library();
  if (library == nullptr) return;
  PulseSession session(*library, timeoutMs_);
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
