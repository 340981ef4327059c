#pragma once
// Every text the interface shows, in one place. The source is UTF-8; the compiler stores each
// literal as GBK bytes (-fexec-charset=GBK), the ANSI code page the program runs under.

namespace texts {

// Unit characters of the date-time text form.
inline constexpr const char kYear[] = "年";
inline constexpr const char kMonth[] = "月";
inline constexpr const char kDay[] = "日";
inline constexpr const char kHour[] = "时";
inline constexpr const char kMinute[] = "分";
inline constexpr const char kSecond[] = "秒";

// Countdown units shown on the display button.
inline constexpr const char kCountdownHours[] = "小时";
inline constexpr const char kCountdownMinutes[] = "分钟";
inline constexpr const char kCountdownSeconds[] = "秒";

// Main window.
inline constexpr const char kMainWindowTitle[] = "Dusklock 定时关机";
inline constexpr const char kDeadlineInstruction[] = "在此点击右键或左键";
inline constexpr const char kStartCaptionIdle[] = "执行关机";
inline constexpr const char kStartCaptionArmed[] = "停止关机";
inline constexpr const char kCountdownCaptionIdle[] = "倒计时显示";
inline constexpr const char kClipboardText[] = "Dusklock 定时关机";
inline constexpr const char kTrayTip[] = "Dusklock";

// The arming confirmation.
inline constexpr const char kConfirmMessage[] = "是否开始执行自动关机（倒计时需大于系统时间10秒）";
inline constexpr const char kConfirmTitle[] = "确定执行";
inline constexpr const char kPromptDefaultTitle[] = "信息：";

// Menus of the main window.
inline constexpr const char kTrayMenu[] = "托盘菜单";
inline constexpr const char kMenuStart[] = "启动";
inline constexpr const char kMenuStop[] = "停止";
inline constexpr const char kMenuClose[] = "关闭";
inline constexpr const char kTimeMenu[] = "选择时间";
inline constexpr const char kMenuTonight[] = "预设时间";
inline constexpr const char kMenu60[] = "倒计时60分";
inline constexpr const char kMenu120[] = "倒计时120分";
inline constexpr const char kMenu180[] = "倒计时180分";

// Date-entry window.
inline constexpr const char kDateEntryTitle[] = "填写关闭时间";
inline constexpr const char kDateEntryClose[] = "关";

// Shown when the main window cannot be created.
inline constexpr const char kStartFailedMessage[] = "无法创建主窗口，程序将退出。";
inline constexpr const char kStartFailedTitle[] = "Dusklock";

}  // namespace texts
