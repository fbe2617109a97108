#include "core/ports/log.h"

#include <utility>

namespace zr4 {
namespace {
LogSink& Sink() {
  static LogSink sink;
  return sink;
}
}  // namespace

void LogText(std::string_view line) {
  if (Sink()) Sink()(line);
}

LogSink SetLogSink(LogSink sink) { return std::exchange(Sink(), std::move(sink)); }

}  // namespace zr4
