#pragma once

class QWidget;

namespace tess {

class Prompter;

// The property dialogs sit deep below the windows that hold the program's
// prompter; rather than each taking it as an argument, a dialog finds it
// through the parent it is given. A widget that holds a prompter attaches it,
// and every widget inside that one shares it.
void attachPrompter(QWidget &widget, Prompter &prompter);
// The prompter attached to `widget` or its nearest ancestor; the console's
// when there is none.
Prompter &prompterOf(const QWidget *widget);

} // namespace tess
