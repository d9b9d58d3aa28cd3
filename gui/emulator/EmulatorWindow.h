#pragma once

#include "gui/emulator/ScreenProfile.h"
#include "ua/Browser.h"

#include <QMainWindow>
#include <QTimer>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTableWidget;

namespace tess {
class Prompter;
}

namespace tess::emu {

class PhoneScreen;

// The phone: the card's title, its screen, two soft keys, and below them
// what the browser has to say; docks for the variables and the history.
// Keys on the screen: Up and Down move between the focusable items, Enter
// activates (an input is edited in place, a select lists its options),
// Backspace goes back, F1 and F2 press the soft keys.
class EmulatorWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit EmulatorWindow(Prompter &prompter, QWidget *parent = nullptr);
    ~EmulatorWindow() override;

    // Starts the deck afresh; false when it cannot be shown (the reason is
    // then on the screen).
    bool openDeck(const std::string &path);
    // Brings the window up, restored when it was minimised.
    void bringToFront();

    // The profile for this session; `remember` keeps it for the next one.
    void setProfile(const ScreenProfile &profile, bool remember);
    const ScreenProfile &profile() const { return *m_profile; }

    // Called with the path after every deck that loads.
    std::function<void(const std::string &)> onLoaded;

    ua::Browser &browser() { return m_browser; }
    PhoneScreen *screen() const { return m_screen; }
    QPushButton *softKeyButton(int index) const { return index == 0 ? m_leftKey : m_rightKey; }
    QString messageText() const;
    QString deckSizeText() const;
    QAction *profileAction(const ScreenProfile &profile) const;
    QTableWidget *variablesTable() const { return m_variables; }
    QListWidget *historyList() const { return m_history; }
    // The in-place editor of an input, or the list of a select's options,
    // while one is open.
    QLineEdit *fieldEditor() const { return m_editor; }
    QListWidget *optionList() const { return m_options; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildMenus();
    QWidget *buildPhone();
    void buildDocks();
    void refresh();
    void refreshSoftKeys();
    void refreshVariables();
    void refreshHistory();
    void refreshDeckSize();
    void pressSoftKey(const ua::SoftKey &key);
    void activateFocused();
    void openEditor(const ua::ScreenItem &item);
    void closeEditor(bool keep);
    void openOptions();
    void fillOptions(const std::vector<ua::OptionChoice> &choices, bool toChosen);
    // Enter picks the current option; a select of several keeps its list.
    void closeOptions(bool pick);
    void chooseFile();
    void tick();

    Prompter &m_prompter;
    ua::Browser m_browser;
    const ScreenProfile *m_profile;
    PhoneScreen *m_screen = nullptr;
    QLabel *m_title = nullptr;
    QPushButton *m_leftKey = nullptr;
    QPushButton *m_rightKey = nullptr;
    QMenu *m_moreKeys = nullptr;
    QLabel *m_message = nullptr;
    QLabel *m_deckSize = nullptr;
    std::string m_sizedPath;
    std::filesystem::file_time_type m_sizedStamp;
    std::optional<uint64_t> m_compiledSize;
    QLabel *m_timerText = nullptr;
    QTableWidget *m_variables = nullptr;
    QListWidget *m_history = nullptr;
    QLineEdit *m_editor = nullptr;
    QListWidget *m_options = nullptr;
    bool m_optionsToggle = false;
    std::vector<QAction *> m_profileActions;
    std::vector<ua::SoftKey> m_keys;
    QTimer m_timer;
    // What the screen showed last, to tell a new card from a changed one.
    std::string m_shownCard;
    bool m_filling = false;
};

} // namespace tess::emu
