#pragma once

// What a user's hands do, for widget tests: clicks, typing, and answers to
// modal dialogs arranged before the code under test opens them.
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tess {

// Runs `act` on the modal dialog once it is shown.
inline void whenShown(std::function<void(QDialog &)> act)
{
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return whenShown(act);
        act(*dialog);
    });
}

template<typename T = QLineEdit> T *field(QWidget &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

inline void setText(QWidget &dialog, const char *name, const char *text)
{
    field(dialog, name)->setText(QString::fromUtf8(text));
}

// A window's title as its frame shows it: "[*]" as "*" while modified.
inline QString shownTitle(const QWidget *window)
{
    QString title = window->windowTitle();
    return title.replace(QStringLiteral("[*]"),
                         window->isWindowModified() ? QStringLiteral("*") : QString());
}

// A press and a release over the tab, as the mouse gives them.
template<typename Tabs> void clickTab(Tabs *tabs, int index)
{
    QTabBar *bar = tabs->tabBar();
    const QPoint at = bar->tabRect(index).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, bar->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(bar, &event);
    }
}

inline void type(QWidget *to, const QString &text)
{
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(to, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(to, &release);
    }
}

} // namespace tess
