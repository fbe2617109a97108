// The fixed messages of the power and session operations that the user sees when one of them is
// not allowed or the system refused it, whichever system carries it out.
#pragma once

#include "core/ports/power_session.h"

namespace zr4 {

constexpr const char* kPrivilegeFailed = "特権の取得に失敗しました。";
constexpr const char* kPowerOffFailed = "コンピュータの電源を切ることができませんでした。";
constexpr const char* kRebootFailed = "Windows を再起動できませんでした。";
constexpr const char* kLogOffFailed = "Windows をログオフできませんでした。";
constexpr const char* kSuspendNotAllowed = "サスペンドは許可されていません。";
constexpr const char* kNt4NoPowerManagement = "WindowsNT4は電源管理をサポートしていません。";
constexpr const char* kSuspendFailed = "サスペンドに移行できませんでした。";
constexpr const char* kHibernateNotAllowed = "休止状態は許可されていません。";
constexpr const char* kHibernateFailed = "休止状態に移行できませんでした。";

// The message for an operation the system refused.
constexpr const char* PowerFailedMessage(TPowerOperation operation) {
  switch (operation) {
    case TPowerOperation::Suspend:
      return kSuspendFailed;
    case TPowerOperation::Hibernate:
      return kHibernateFailed;
    case TPowerOperation::PowerOff:
      return kPowerOffFailed;
    case TPowerOperation::Reboot:
      return kRebootFailed;
    case TPowerOperation::LogOff:
      return kLogOffFailed;
  }
  return kLogOffFailed;
}

// The message for an operation the system does not allow (power off, restart and log-off have
// none of their own: they read as refused).
constexpr const char* PowerNotAllowedMessage(TPowerOperation operation) {
  if (operation == TPowerOperation::Suspend) return kSuspendNotAllowed;
  if (operation == TPowerOperation::Hibernate) return kHibernateNotAllowed;
  return PowerFailedMessage(operation);
}

}  // namespace zr4
