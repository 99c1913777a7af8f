#pragma once
// Keyboard order of a dialog's controls. The order follows the layout as it reads: top to
// bottom, left to right, and column by column where the layout sets columns side by side.
class QWidget;

// Chains the controls of the window that take the focus by Tab in layout order.
void SetTabOrderByLayout(QWidget* pWindow);

// The control a dialog opens with: the first enabled field in layout order (an edit, a
// list, a grid: anything but a button), else the first enabled control of any kind.
QWidget* FirstField(QWidget* pRoot);
