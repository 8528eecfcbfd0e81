// Text and simple shapes on the back buffer or on a sprite, inside a drawing phase.
#pragma once

struct DrawTarget;  // handed out by BackBufferTarget and SpriteTarget

enum DrawFlags : int {
  kDrawTransparentText = 1,  // text without the white background box
  kDrawInvert = 2,           // pen and fill invert the destination
  kDrawNoFill = 4,           // shapes are outlined only
};

DrawTarget* BackBufferTarget();     // nullptr while the back buffer's phase is open
DrawTarget* SpriteTarget(int n);    // nullptr while a sprite's phase is open or the slot is empty
int BeginDraw(DrawTarget* target);  // ends any open phase; nonzero if a phase was opened
void EndDraw();
void SetDrawFlags(int flags);
void SetDrawColor(int r, int g, int b);  // the current colour becomes 0x00BBGGRR
void SetTextPosition(int x, int y);
// Draws Windows-1252 text with its top-left corner at the current position, then moves the
// position to the text's end on the same line.
void WriteText(const char* text);
int MeasureText(const char* text);  // width in pixels; 0 outside a phase or for ""
// Covers x to x + width - 1 and y to y + height - 1; `colour` (0x00BBGGRR) becomes current.
void FillRect(int x, int y, int width, int height, int colour);
// From (x, y) to (x + dx, y + dy) without the end point, which becomes the current position.
void DrawLineRel(int x, int y, int dx, int dy);
int CurrentDrawColor();  // 0x00BBGGRR
