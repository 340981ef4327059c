#pragma once
// The names by which the windows' controls are addressed, as their layouts give them. A name
// is unique only within its window.

namespace mainwindow {
inline constexpr const char kTimer[] = "时钟1";
inline constexpr const char kStartButton[] = "启动按钮";
inline constexpr const char kDeadlineBox[] = "编辑框1";
inline constexpr const char kCountdownButton[] = "显示按钮";
}  // namespace mainwindow

namespace dateentry {
// The six field boxes, year to second, in the order their texts are joined.
inline constexpr const char* const kFieldBoxes[6] = {"编辑框1", "编辑框2", "编辑框3",
                                                     "编辑框4", "编辑框5", "编辑框6"};
inline constexpr const char kCloseButton[] = "按钮1";
}  // namespace dateentry
