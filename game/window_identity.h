// What the desktop knows the game's window by: the desktop entry's id and the game's icon.
#pragma once

// The desktop entry's file name without ".desktop": the window's class (X11) and app id (Wayland).
inline constexpr char kDesktopId[] = "org.spacedevelopers.space";

// Hands the id and the built-in icon to the layer; called before the display opens.
void IntroduceWindow();
