#pragma once

namespace almanis {

// Where a guarded procedure says it failed. The error report names it as
// "in Almanis2021/08/31.<window>.<procedure> at line <step>", and users send
// those reports to support, so these texts stay as they are whatever the code
// behind them is called.
struct ErrorLocation {
    const char* window;
    const char* procedure;
};

namespace where {
// The main window
inline constexpr ErrorLocation mainWindowLoad{"Form1", "Form_Load"};
inline constexpr ErrorLocation firstActivation{"Form1", "Form_Activate"};
inline constexpr ErrorLocation mainWindowClose{"Form1", "Form_QueryUnload"};
inline constexpr ErrorLocation listFill{"Form1", "ListEvents"};
inline constexpr ErrorLocation dueCheck{"Form1", "HasEventToday"};
inline constexpr ErrorLocation pollTick{"Form1", "Timer1_Timer"};
inline constexpr ErrorLocation dayStart{"Form1", "StartOfDay"};
inline constexpr ErrorLocation wakeUp{"Form1", "Timer2_Timer"};
inline constexpr ErrorLocation deleteEvent{"Form1", "PushButton1_Click"};
inline constexpr ErrorLocation editEvent{"Form1", "PushButton2_Click"};
inline constexpr ErrorLocation testAlarm{"Form1", "PushButton3_Click"};
inline constexpr ErrorLocation addSampleEvent{"Form1", "PushButton4_Click"};
inline constexpr ErrorLocation help{"Form1", "PushButton5_Click"};
inline constexpr ErrorLocation addEvent{"Form1", "PushButton6_Click"};
inline constexpr ErrorLocation testAlarmNote{"Form1", "PushButton7_Click"};
inline constexpr ErrorLocation importEvents{"Form1", "PushButton8_Click"};
inline constexpr ErrorLocation exportEvents{"Form1", "PushButton9_Click"};
inline constexpr ErrorLocation fileFormatNote{"Form1", "PushButton10_Click"};
inline constexpr ErrorLocation storeCheck{"Form1", "CheckDatabase"};
inline constexpr ErrorLocation sortList{"Form1", "ListView1_ColumnClick"};
inline constexpr ErrorLocation searchList{"Form1", "Text1_Change"};
// The event editor
inline constexpr ErrorLocation editorLoad{"Form2", "Form_Load"};
inline constexpr ErrorLocation editorSave{"Form2", "PushButton6_Click"};
inline constexpr ErrorLocation editorCancel{"Form2", "PushButton1_Click"};
// The alarm window
inline constexpr ErrorLocation alarmLoad{"Form3", "Form_Load"};
inline constexpr ErrorLocation alarmList{"Form3", "ListTodayEvent"};
inline constexpr ErrorLocation remindLater{"Form3", "PushButton1_Click"};
inline constexpr ErrorLocation doNotRemind{"Form3", "PushButton2_Click"};
}  // namespace where

}  // namespace almanis
