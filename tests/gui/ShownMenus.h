#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

#include <string>

namespace tess {

// The menu bar as the user sees it: each shown menu, then its shown items
// indented by two blanks ("  " alone for a separator).
inline QStringList shownMenus(QMainWindow &window)
{
    QStringList menus;
    for (QAction *menu : window.menuBar()->actions()) {
        if (!menu->isVisible())
            continue;
        menus << menu->text();
        for (QAction *item : menu->menu()->actions()) {
            if (item->isVisible())
                menus << "  " + item->text();
        }
    }
    return menus;
}

// The same as one text, a line per entry, each item with its keys in
// brackets, " off" when disabled and " on" when checked: a readable
// difference when a menu changes.
inline std::string menuReport(QMainWindow &window)
{
    QStringList lines;
    for (QAction *menu : window.menuBar()->actions()) {
        if (!menu->isVisible())
            continue;
        lines << menu->text();
        for (QAction *item : menu->menu()->actions()) {
            if (!item->isVisible())
                continue;
            QString line = "  " + item->text();
            QStringList keys;
            for (const QKeySequence &key : item->shortcuts())
                keys << key.toString();
            if (!keys.isEmpty())
                line += " [" + keys.join(", ") + "]";
            if (!item->isSeparator() && !item->isEnabled())
                line += " off";
            if (item->isChecked())
                line += " on";
            lines << line;
        }
    }
    return lines.join('\n').toStdString();
}

} // namespace tess
