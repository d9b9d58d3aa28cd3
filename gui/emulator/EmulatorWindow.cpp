#include "gui/emulator/EmulatorWindow.h"

#include "editor/Prompter.h"
#include "gui/emulator/PhoneScreen.h"
#include "wml/WbxmlCompiler.h"
#include "wml/XmlDocument.h"

#include <QActionGroup>
#include <QApplication>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <filesystem>

namespace tess::emu {

namespace {

using Kind = ua::ScreenItem::Kind;

QString qs(const std::string &text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString keyLabel(const ua::SoftKey &key)
{
    return qs(key.label.empty() ? key.type : key.label);
}

QString bytes(std::uintmax_t count)
{
    return QLocale(QLocale::English).toString(qulonglong(count));
}

} // namespace

EmulatorWindow::EmulatorWindow(Prompter &prompter, QWidget *parent)
    : QMainWindow(parent)
    , m_prompter(prompter)
    , m_profile(&rememberedScreenProfile())
{
    setWindowTitle(QStringLiteral("Tessarine Emulator"));
    buildMenus();
    setCentralWidget(buildPhone());
    buildDocks();
    m_deckSize = new QLabel(this);
    m_timerText = new QLabel(this);
    statusBar()->addWidget(m_deckSize, 1);
    statusBar()->addPermanentWidget(m_timerText);
    m_timer.setInterval(100);
    connect(&m_timer, &QTimer::timeout, this, &EmulatorWindow::tick);
    m_browser.changed = [this] { refresh(); };
    setAcceptDrops(true);
    setProfile(*m_profile, false);
    refresh();
    m_screen->setFocus();
}

EmulatorWindow::~EmulatorWindow()
{
    m_browser.changed = nullptr;
}

void EmulatorWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open Deck..."), QKeySequence::Open, this,
                    &EmulatorWindow::chooseFile);
    file->addAction(QStringLiteral("&Reload"), QKeySequence(Qt::Key_F5), this, [this] {
        if (m_browser.deckPath().empty())
            return;
        const std::string card = m_browser.currentCardId();
        openDeck(m_browser.deckPath() + (card.empty() ? "" : "#" + card));
    });
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu *screens = menuBar()->addMenu(QStringLiteral("&Screen"));
    auto *group = new QActionGroup(this);
    for (const ScreenProfile &p : screenProfiles()) {
        QAction *action = screens->addAction(QString::fromUtf8(p.name));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, &p] { setProfile(p, true); });
        m_profileActions.push_back(action);
    }
}

QWidget *EmulatorWindow::buildPhone()
{
    auto *page = new QWidget(this);
    auto *pageLayout = new QVBoxLayout(page);
    auto *body = new QFrame(page);
    body->setObjectName(QStringLiteral("phoneBody"));
    body->setStyleSheet(
        QStringLiteral("#phoneBody { background: #33373d; border-radius: 28px; }"
                       "#phoneBody QPushButton { background: #555b63; color: white; border: none;"
                       " border-radius: 8px; padding: 6px 10px; min-width: 64px; }"
                       "#phoneBody QPushButton:pressed { background: #6c737c; }"
                       "#phoneBody QPushButton:disabled { background: #44484e; }"));
    auto *bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(22, 36, 22, 48);
    bodyLayout->setSpacing(14);

    auto *display = new QWidget(body);
    auto *displayLayout = new QVBoxLayout(display);
    displayLayout->setContentsMargins(0, 0, 0, 0);
    displayLayout->setSpacing(0);
    m_title = new QLabel(display);
    m_title->setAutoFillBackground(true);
    m_title->setAlignment(Qt::AlignCenter);
    m_screen = new PhoneScreen(display);
    m_screen->installEventFilter(this);
    // A click focuses an item; a click on the focused one activates it.
    connect(m_screen, &PhoneScreen::itemClicked, this, [this](int focus) {
        if (focus == m_browser.screen().focused) {
            activateFocused();
        } else {
            m_browser.focus(focus);
            refresh();
        }
    });
    displayLayout->addWidget(m_title);
    displayLayout->addWidget(m_screen);
    bodyLayout->addWidget(display, 0, Qt::AlignHCenter);

    auto *keys = new QHBoxLayout;
    m_leftKey = new QPushButton(body);
    m_rightKey = new QPushButton(body);
    for (QPushButton *button : {m_leftKey, m_rightKey})
        button->setFocusPolicy(Qt::NoFocus);
    m_leftKey->setToolTip(QStringLiteral("F1"));
    m_rightKey->setToolTip(QStringLiteral("F2"));
    m_moreKeys = new QMenu(m_rightKey);
    connect(m_leftKey, &QPushButton::clicked, this, [this] {
        if (!m_keys.empty())
            pressSoftKey(m_keys[0]);
    });
    connect(m_rightKey, &QPushButton::clicked, this, [this] {
        if (m_keys.size() == 2)
            pressSoftKey(m_keys[1]);
    });
    keys->addWidget(m_leftKey);
    keys->addStretch();
    keys->addWidget(m_rightKey);
    bodyLayout->addLayout(keys);

    m_message = new QLabel(page);
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::RichText);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pageLayout->addWidget(body, 0, Qt::AlignHCenter);
    pageLayout->addWidget(m_message);
    pageLayout->addStretch();
    return page;
}

void EmulatorWindow::buildDocks()
{
    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));

    m_variables = new QTableWidget(0, 2, this);
    m_variables->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value")});
    m_variables->horizontalHeader()->setStretchLastSection(true);
    m_variables->verticalHeader()->hide();
    m_variables->setMinimumWidth(220);
    connect(m_variables, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (m_filling || item->column() != 1)
            return;
        const QTableWidgetItem *name = m_variables->item(item->row(), 0);
        if (!name || name->text().isEmpty())
            return;
        m_browser.setVariable(name->text().toStdString(), item->text().toStdString());
        // Not from inside the table's own signal: refreshing replaces its items.
        QMetaObject::invokeMethod(this, &EmulatorWindow::refresh, Qt::QueuedConnection);
    });
    auto *variables = new QDockWidget(QStringLiteral("Variables"), this);
    variables->setObjectName(QStringLiteral("variablesDock"));
    variables->setWidget(m_variables);
    addDockWidget(Qt::RightDockWidgetArea, variables);
    view->addAction(variables->toggleViewAction());

    m_history = new QListWidget(this);
    m_history->setMinimumWidth(220);
    auto *history = new QDockWidget(QStringLiteral("History"), this);
    history->setObjectName(QStringLiteral("historyDock"));
    history->setWidget(m_history);
    addDockWidget(Qt::RightDockWidgetArea, history);
    view->addAction(history->toggleViewAction());
}

bool EmulatorWindow::openDeck(const std::string &path)
{
    closeEditor(false);
    closeOptions(false);
    const bool ok = m_browser.open(path);
    m_shownCard.clear();
    const std::string &deck = m_browser.deckPath().empty() ? path : m_browser.deckPath();
    setWindowTitle(QStringLiteral("Tessarine Emulator - ") + QFileInfo(qs(deck)).fileName());
    refresh();
    if (ok && onLoaded)
        onLoaded(path);
    return ok;
}

void EmulatorWindow::bringToFront()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void EmulatorWindow::setProfile(const ScreenProfile &profile, bool remember)
{
    closeEditor(false);
    closeOptions(false);
    m_profile = &profile;
    m_screen->setProfile(profile);
    QFont titleFont = m_title->font();
    titleFont.setPixelSize(profile.fontPixels * PhoneScreen::kZoom);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setFixedWidth(m_screen->width());
    QPalette palette = m_title->palette();
    palette.setColor(QPalette::Window, m_screen->paper().darker(112));
    palette.setColor(QPalette::WindowText, m_screen->ink());
    m_title->setPalette(palette);
    m_message->setMaximumWidth(std::max(m_screen->width() + 120, 320));
    for (size_t i = 0; i < screenProfiles().size(); ++i)
        m_profileActions[i]->setChecked(&screenProfiles()[i] == &profile);
    if (remember)
        rememberScreenProfile(profile);
    refresh();
    centralWidget()->adjustSize();
    adjustSize();
}

QAction *EmulatorWindow::profileAction(const ScreenProfile &profile) const
{
    for (size_t i = 0; i < screenProfiles().size(); ++i)
        if (&screenProfiles()[i] == &profile)
            return m_profileActions[i];
    return nullptr;
}

QString EmulatorWindow::messageText() const
{
    return m_message->text();
}

QString EmulatorWindow::deckSizeText() const
{
    return m_deckSize->text();
}

void EmulatorWindow::refresh()
{
    const ua::Screen &shown = m_browser.screen();
    // A new card, or the same one entered again, starts at its top.
    const std::string card = m_browser.deckPath() + "#"
        + std::to_string(m_browser.currentCardIndex()) + "/"
        + std::to_string(m_browser.history().size());
    m_screen->showScreen(shown, card != m_shownCard);
    m_shownCard = card;
    m_title->setText(
        m_title->fontMetrics().elidedText(qs(shown.title), Qt::ElideRight, m_screen->width() - 8));

    QStringList message;
    if (!shown.message.empty())
        message << qs(shown.message).toHtmlEscaped();
    if (shown.request) {
        message << QStringLiteral("<b>Request:</b> %1 %2")
                       .arg(qs(shown.request->method), qs(shown.request->url).toHtmlEscaped());
        for (const auto &[name, value] : shown.request->postfields)
            message << QStringLiteral("&nbsp;&nbsp;%1=%2")
                           .arg(qs(name).toHtmlEscaped(), qs(value).toHtmlEscaped());
    }
    if (m_browser.deckPath().empty() && message.isEmpty())
        message << QStringLiteral("Open a deck with File &gt; Open Deck, or drop one here.");
    m_message->setText(message.join(QStringLiteral("<br>")));
    m_message->setVisible(!message.isEmpty());

    refreshSoftKeys();
    refreshVariables();
    refreshHistory();
    refreshDeckSize();
    if (const std::optional<int> tenths = m_browser.timerTenths()) {
        if (!m_timer.isActive())
            m_timer.start();
        m_timerText->setText(QStringLiteral("Timer %1.%2 s").arg(*tenths / 10).arg(*tenths % 10));
    } else {
        m_timer.stop();
        m_timerText->clear();
    }
}

void EmulatorWindow::refreshSoftKeys()
{
    m_keys = m_browser.softKeys();
    m_leftKey->setText(m_keys.empty() ? QString() : keyLabel(m_keys[0]));
    m_leftKey->setEnabled(!m_keys.empty());
    m_moreKeys->clear();
    // Past two keys the right one opens a list of the others, as phones do.
    if (m_keys.size() > 2) {
        m_rightKey->setText(QStringLiteral("Options"));
        for (size_t i = 1; i < m_keys.size(); ++i)
            m_moreKeys->addAction(keyLabel(m_keys[i]), this,
                                  [this, key = m_keys[i]] { pressSoftKey(key); });
    } else {
        m_rightKey->setText(m_keys.size() == 2 ? keyLabel(m_keys[1]) : QString());
    }
    m_rightKey->setEnabled(m_keys.size() >= 2);
    // A menu only for the list: otherwise the button presses its key.
    m_rightKey->setMenu(nullptr);
    if (m_keys.size() > 2)
        m_rightKey->setMenu(m_moreKeys);
}

void EmulatorWindow::refreshVariables()
{
    // A value being typed is not thrown away by a timer's tick.
    if (const QWidget *focus = QApplication::focusWidget();
        focus && m_variables->viewport()->isAncestorOf(focus))
        return;
    m_filling = true;
    const std::map<std::string, std::string> &variables = m_browser.variables();
    m_variables->setRowCount(int(variables.size()) + 1);
    int row = 0;
    for (const auto &[name, value] : variables) {
        auto *nameItem = new QTableWidgetItem(qs(name));
        nameItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_variables->setItem(row, 0, nameItem);
        m_variables->setItem(row, 1, new QTableWidgetItem(qs(value)));
        ++row;
    }
    // The last row sets a variable the deck has not: its name, then its value.
    m_variables->setItem(row, 0, new QTableWidgetItem);
    m_variables->setItem(row, 1, new QTableWidgetItem);
    m_filling = false;
}

void EmulatorWindow::refreshHistory()
{
    m_history->clear();
    for (const std::string &entry : m_browser.history()) {
        const QString full = qs(entry);
        const qsizetype hash = full.lastIndexOf(QLatin1Char('#'));
        const QString file = QFileInfo(hash < 0 ? full : full.left(hash)).fileName();
        auto *item = new QListWidgetItem(file + (hash < 0 ? QString() : full.mid(hash)));
        item->setToolTip(full);
        m_history->addItem(item);
    }
    m_history->scrollToBottom();
}

void EmulatorWindow::refreshDeckSize()
{
    const QString budget = bytes(std::uintmax_t(m_profile->deckBudget));
    const std::string &path = m_browser.deckPath();
    if (path.empty()) {
        m_deckSize->setText(QStringLiteral("No deck; this phone takes %1 bytes").arg(budget));
        m_deckSize->setStyleSheet({});
        return;
    }
    // Compiled once per version of the file, not on every card shown.
    std::error_code ec;
    const auto stamp = std::filesystem::last_write_time(path, ec);
    if (path != m_sizedPath || stamp != m_sizedStamp) {
        m_sizedPath = path;
        m_sizedStamp = stamp;
        m_compiledSize.reset();
        XmlDocument doc;
        if (!ec && doc.load(path))
            if (const WbxmlResult compiled = compileWbxml(doc); compiled.ok)
                m_compiledSize = compiled.bytes.size();
    }
    if (!m_compiledSize) {
        m_deckSize->setText(
            QStringLiteral("Deck not compiled (it does not validate); this phone takes %1 bytes")
                .arg(budget));
        m_deckSize->setStyleSheet(QStringLiteral("color: #b00000"));
        return;
    }
    const bool over = *m_compiledSize > uint64_t(m_profile->deckBudget);
    m_deckSize->setText(
        QString::fromStdString("Compiled size " + groupedNumber(*m_compiledSize)
                               + " bytes: " + profileVerdict(*m_compiledSize, *m_profile)));
    m_deckSize->setStyleSheet(over ? QStringLiteral("color: #b00000") : QString());
}

void EmulatorWindow::pressSoftKey(const ua::SoftKey &key)
{
    m_browser.softKey(key.label.empty() ? key.type : key.label);
    refresh();
}

void EmulatorWindow::activateFocused()
{
    const ua::Screen &shown = m_browser.screen();
    if (shown.focused >= 0) {
        for (const ua::ScreenItem &item : shown.items) {
            if (item.focus != shown.focused)
                continue;
            if (item.kind == Kind::Input) {
                openEditor(item);
                return;
            }
            if (item.kind == Kind::Select) {
                openOptions();
                return;
            }
            break;
        }
    }
    m_browser.activate();
    refresh();
}

void EmulatorWindow::openEditor(const ua::ScreenItem &item)
{
    closeEditor(false);
    m_editor = new QLineEdit(m_screen);
    if (const std::optional<ua::InputField> field = m_browser.focusedInput()) {
        m_editor->setEchoMode(field->password ? QLineEdit::Password : QLineEdit::Normal);
        m_editor->setText(qs(field->value));
        if (field->maxLength >= 0)
            m_editor->setMaxLength(field->maxLength);
        m_editor->setPlaceholderText(qs(field->title));
    } else {
        m_editor->setText(qs(item.text));
    }
    QFont font = m_editor->font();
    font.setPixelSize(m_profile->fontPixels * PhoneScreen::kZoom);
    m_editor->setFont(font);
    m_editor->setPalette(m_screen->fieldPalette());
    const QRect at = m_screen->focusedRect();
    const int height = std::max(at.height(), m_editor->sizeHint().height());
    m_editor->setGeometry(0, std::clamp(at.top(), 0, std::max(0, m_screen->height() - height)),
                          m_screen->width(), height);
    m_editor->installEventFilter(this);
    m_editor->show();
    m_editor->setFocus();
}

void EmulatorWindow::closeEditor(bool keep)
{
    if (!m_editor)
        return;
    QLineEdit *editor = m_editor;
    m_editor = nullptr;
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
    m_screen->setFocus();
    if (keep) {
        m_browser.type(editor->text().toStdString());
        refresh();
    }
}

void EmulatorWindow::openOptions()
{
    const std::optional<ua::SelectField> field = m_browser.focusedSelect();
    if (!field || field->options.empty()) {
        m_browser.activate();
        refresh();
        return;
    }
    closeOptions(false);
    m_options = new QListWidget(m_screen);
    m_optionsToggle = field->multiple;
    m_options->setGeometry(m_screen->rect());
    QFont font = m_options->font();
    font.setPixelSize(m_profile->fontPixels * PhoneScreen::kZoom);
    m_options->setFont(font);
    m_options->setPalette(m_screen->fieldPalette());
    m_options->setToolTip(qs(field->title));
    fillOptions(field->options, true);
    m_options->installEventFilter(this);
    connect(m_options, &QListWidget::itemActivated, this, [this] { closeOptions(true); });
    m_options->show();
    m_options->setFocus();
}

void EmulatorWindow::fillOptions(const std::vector<ua::OptionChoice> &choices, bool toChosen)
{
    const int keep = m_options->currentRow();
    m_options->clear();
    int current = -1;
    for (const ua::OptionChoice &choice : choices) {
        const QString indent(choice.depth * 2, QLatin1Char(' '));
        // Boxes to tick for a select of several, rings for one of one.
        const char16_t on = m_optionsToggle ? u'\u2612' : u'\u25cf';
        const char16_t off = m_optionsToggle ? u'\u2610' : u'\u25cb';
        const QString mark = choice.group
            ? QString()
            : QString(QChar(choice.selected ? on : off)) + QLatin1Char(' ');
        auto *item = new QListWidgetItem(indent + mark + qs(choice.text));
        if (choice.group) {
            item->setFlags(Qt::ItemIsEnabled);
            QFont bold = m_options->font();
            bold.setBold(true);
            item->setFont(bold);
        } else if (current < 0 || (choice.selected && !choices[size_t(current)].selected)) {
            current = m_options->count();
        }
        m_options->addItem(item);
    }
    m_options->setCurrentRow(toChosen ? std::max(current, 0) : keep);
}

void EmulatorWindow::closeOptions(bool pick)
{
    if (!m_options)
        return;
    const int row = m_options->currentRow();
    const QListWidgetItem *item = m_options->currentItem();
    const bool option = pick && row >= 0 && item && (item->flags() & Qt::ItemIsSelectable);
    // Several options may be chosen: each pick toggles one and the list
    // stays until the user leaves it.
    if (option && m_optionsToggle) {
        m_browser.pick(row);
        if (const std::optional<ua::SelectField> field = m_browser.focusedSelect())
            fillOptions(field->options, false);
        refresh();
        return;
    }
    QListWidget *list = m_options;
    m_options = nullptr;
    list->removeEventFilter(this);
    list->hide();
    list->deleteLater();
    m_screen->setFocus();
    if (option) {
        m_browser.pick(row);
        refresh();
    }
}

void EmulatorWindow::chooseFile()
{
    Prompter::FileRequest request;
    request.title = "Open Deck";
    request.filter = "WML Decks (*.wml)|*.wml|All Files (*)|*|";
    request.defaultExtension = "wml";
    request.confirmOverwrite = false;
    if (!m_browser.deckPath().empty())
        request.initialPath = std::filesystem::path(m_browser.deckPath()).parent_path().string();
    const std::string path = m_prompter.openFileName(request);
    if (!path.empty())
        openDeck(path);
}

void EmulatorWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile())
        event->acceptProposedAction();
}

void EmulatorWindow::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile()) {
        event->acceptProposedAction();
        openDeck(urls.front().toLocalFile().toStdString());
    }
}

void EmulatorWindow::tick()
{
    m_browser.advance(int(m_timer.interval()));
    refresh();
}

bool EmulatorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && event->type() == QEvent::FocusOut) {
        closeEditor(true);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == m_editor) {
        // Taken here: the line edit would pass Enter on to the screen, which
        // would open it again.
        if (enter || key == Qt::Key_Escape) {
            closeEditor(enter);
            return true;
        }
    } else if (watched == m_options) {
        if (enter || key == Qt::Key_Escape || key == Qt::Key_Backspace) {
            closeOptions(enter);
            return true;
        }
    } else if (watched == m_screen) {
        switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (const int target = m_screen->step(key == Qt::Key_Down ? 1 : -1); target >= 0) {
                m_browser.focus(target);
                refresh();
            }
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Select:
            activateFocused();
            return true;
        case Qt::Key_Backspace:
            m_browser.back();
            refresh();
            return true;
        case Qt::Key_F1:
            m_leftKey->click();
            return true;
        case Qt::Key_F2:
            if (m_rightKey->menu())
                m_rightKey->showMenu();
            else
                m_rightKey->click();
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tess::emu
