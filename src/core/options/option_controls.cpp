#include "core/options/option_controls.h"

#include <cstring>

namespace zr4 {

namespace {
using O = TOptionData;

constexpr const char* kPageCaptions[kOptionPageCount] = {"設定1",  "設定2",    "リモコン",
                                                         "その他", "タイマー", "タスクトレイ"};

constexpr const char* kAutoVolume = "ボリューム自動調節 (TUNERを基準とする)";
constexpr const char* kVolumeSteps = "ボリューム変化幅";
constexpr const char* kAps = "Auto Power Save";
constexpr const char* kModeButton = "MODE Button (input切換)";

const TOptionCheckBox kCheckBoxes[] = {
    {kPageSetting1, nullptr, "CheckBox2", "起動時　ZR4PCの電源を入れる", &O::AutoOn},
    {kPageSetting1, nullptr, "CheckBox1", "終了時　ZR4PCの電源を切る", &O::AutoOff},
    {kPageSetting1, nullptr, "CheckBox12", "サスペンド時 ZR4PCの電源を切る", &O::SuspendOff},
    {kPageSetting1, nullptr, "CheckBox13", "サスペンド復帰時 ZR4PCの電源を入れる", &O::SuspendOn},
    {kPageSetting1, nullptr, "CheckBox4", "タイマーを使用しない", &O::TimerOff},
    {kPageSetting1, nullptr, "CBNB1", "起動時　N.Bを切る （TONEにする）", &O::NBCut},
    {kPageSetting1, nullptr, "CheckBox3", "N.B.2のみ切る", &O::NB2Cut},
    {kPageSetting1, nullptr, "CheckBox18", "ラジオ局名を表示する", &O::ShowRadioName},
    {kPageSetting1, nullptr, "CheckBox19", "リモコンによる操作を有効にする (誤動作の可能性あり)",
     &O::RemoConEnable},
    {kPageSetting1, nullptr, "CheckBox10", "常にタスクトレイアイコンを表示する", &O::ShowIcon},
    {kPageSetting1, nullptr, "CheckBox11", "最小化して起動", &O::MinimizeOnRun},
    {kPageSetting2, kAutoVolume, "CheckBox17", "有効", &O::AutoVolChange},
    {kPageSetting2, kAps, "CheckBox20", "有効", &O::APS},
    {kPageOther, kModeButton, "CheckBox5", "TUNER", &O::ModeTuner},
    {kPageOther, kModeButton, "CheckBox6", "CD", &O::ModeCD},
    {kPageOther, kModeButton, "CheckBox7", "MD", &O::ModeMD},
    {kPageOther, kModeButton, "CheckBox8", "AUX", &O::ModeAUX},
    {kPageOther, kModeButton, "CheckBox9", "USB", &O::ModeUSB},
};

const TOptionSpin kSpins[] = {
    {kPageSetting2, kAutoVolume, "SpinEdit1", "CD", -20, 50, 1, 3, &O::VolCD},
    {kPageSetting2, kAutoVolume, "SpinEdit2", "MD", -20, 50, 1, 3, &O::VolMD},
    {kPageSetting2, kAutoVolume, "SpinEdit3", "AUX", -20, 50, 1, 3, &O::VolAUX},
    {kPageSetting2, kAutoVolume, "SpinEdit4", "USB", -20, 50, 1, 3, &O::VolUSB},
    {kPageSetting2, kVolumeSteps, "SpinEdit8", "←→", 0, 10, 1, 3, &O::VolLR},
    {kPageSetting2, kVolumeSteps, "SpinEdit9", "↑↓", 0, 10, 1, 3, &O::VolUD},
    {kPageSetting2, kVolumeSteps, "SpinEdit6", "マウスホイール", -10, 10, 1, 3, &O::VolWheel},
    {kPageSetting2, kVolumeSteps, "SpinEdit11", "最大ボリューム", 1, 80, 1, 3, &O::VolMax},
    {kPageSetting2, kAps, "SpinEdit7", "分", 0, 600, 5, 3, &O::APSMin},
    {kPageRemote, nullptr, "SpinEdit5", "コマンド受付時間(ms)", 500, 10000, 100, 5,
     &O::RemoConInterval},
};

template <typename T>
const T* FindNamed(std::span<const T> controls, const char* name) {
  for (const T& control : controls)
    if (std::strcmp(control.name, name) == 0) return &control;
  return nullptr;
}
}  // namespace

const char* OptionPageCaption(int page) {
  return page >= 0 && page < kOptionPageCount ? kPageCaptions[page] : "";
}

std::span<const TOptionCheckBox> OptionCheckBoxes() {
  return kCheckBoxes;
}

std::span<const TOptionSpin> OptionSpins() {
  return kSpins;
}

const TOptionCheckBox* FindOptionCheckBox(const char* name) {
  return FindNamed(OptionCheckBoxes(), name);
}

const TOptionSpin* FindOptionSpin(const char* name) {
  return FindNamed(OptionSpins(), name);
}

bool OptionControlEnabled(const char* name, const TOptionData& state) {
  if (std::strcmp(name, "CheckBox3") == 0) return state.NBCut;
  for (const char* offset : {"SpinEdit1", "SpinEdit2", "SpinEdit3", "SpinEdit4"})
    if (std::strcmp(name, offset) == 0) return state.AutoVolChange;
  return true;
}

}  // namespace zr4
