#include "core/ports/log.h"

#include <utility>

namespace zr4 {
namespace {
LogSink& Sink() {
  static LogSink sink;
  return sink;
}
LogSink& NoticeSink() {
  static LogSink sink;
  return sink;
}
}  // namespace

void LogText(std::string_view line) {
  if (Sink()) Sink()(line);
}

LogSink SetLogSink(LogSink sink) {
  return std::exchange(Sink(), std::move(sink));
}

void NoticeText(std::string_view line) {
  if (NoticeSink()) NoticeSink()(line);
  LogText(line);
}

LogSink SetNoticeSink(LogSink sink) {
  return std::exchange(NoticeSink(), std::move(sink));
}

}  // namespace zr4
