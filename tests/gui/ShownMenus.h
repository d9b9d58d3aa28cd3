#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

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

} // namespace tess
