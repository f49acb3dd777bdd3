// The detector settings of an instrument being brought up.
#include "core/setting_sequence.h"

#include <utility>

namespace mca {

namespace {

constexpr int kSettingPauseRepeats = 5;
constexpr int kSettingPauseMs = 50;
constexpr int kSettingSettleMs = 100;

}  // namespace

void sendSettingsInOrder(Workstation& w, const std::function<void(SettingStep)>& apply) {
    static constexpr std::pair<SettingStep, const char*> kOrder[]{
        {SettingStep::InputAndPolarity, "Setting Input and Polarity"},
        {SettingStep::ShapingTime, "Setting Shaping Time"},
        {SettingStep::CoarseGain, "Setting Coarse Gain"},
        {SettingStep::FineGain, "Setting Fine Gain"},
        {SettingStep::Threshold, "Setting Threshold"},
    };
    for (const auto& [step, text] : kOrder) {
        w.screen.showSplash(text);
        for (int i = 0; i < kSettingPauseRepeats; ++i) w.platform.waiter.pause(kSettingPauseMs);
        w.platform.waiter.pause(kSettingSettleMs);
        apply(step);
    }
}

}  // namespace mca
