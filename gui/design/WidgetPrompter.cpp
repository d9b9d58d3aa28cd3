#include "gui/design/WidgetPrompter.h"

#include "editor/Prompter.h"

#include <QVariant>
#include <QWidget>

namespace tess {

namespace {

constexpr const char *kPrompterProperty = "tessPrompter";

} // namespace

void attachPrompter(QWidget &widget, Prompter &prompter)
{
    widget.setProperty(kPrompterProperty, QVariant::fromValue(static_cast<void *>(&prompter)));
}

Prompter &prompterOf(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (void *held = w->property(kPrompterProperty).value<void *>())
            return *static_cast<Prompter *>(held);
    }
    return Prompter::console();
}

} // namespace tess
