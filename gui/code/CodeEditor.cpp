#include "gui/code/CodeEditor.h"

#include "app/SettingsColor.h"
#include "app/SettingsKey.h"
#include "app/Translation.h"
#include "gui/code/CodeConstants.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

namespace tess {

namespace {

constexpr std::array<TokenClass, 5> kTokenClasses
    = {TokenClass::Keyword, TokenClass::Attribute, TokenClass::String, TokenClass::Number,
       TokenClass::Comment};

enum class EditKey { None, Undo, Cut, Copy, Paste };

// The older editing keys that sit beside Ctrl+Z, X, C and V; handled here so
// that they work whatever the platform's key bindings say.
EditKey editKeyOf(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers()
        & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (event->key()) {
    case Qt::Key_Backspace:
        return mods == Qt::AltModifier ? EditKey::Undo : EditKey::None;
    case Qt::Key_Delete:
        return mods == Qt::ShiftModifier ? EditKey::Cut : EditKey::None;
    case Qt::Key_Insert:
        if (mods == Qt::ControlModifier)
            return EditKey::Copy;
        return mods == Qt::ShiftModifier ? EditKey::Paste : EditKey::None;
    default:
        return EditKey::None;
    }
}

// Keys that only move the caret, and not to the end of the text.
bool movesWithinLines(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

// Marks a line whose formats are those its text gives.
constexpr int kColouredLine = 1;
// An edit that touches at most this many lines recolours them at once; the
// lines of a longer one are coloured when they are painted.
constexpr int kEagerLines = 256;
// A text set into an empty view goes in at once up to this many characters
// (many screens of lines); the rest follows in idle moments, a slice at a
// time for about a frame's time each.
constexpr qsizetype kFirstSlice = 32 * 1024;
constexpr qsizetype kSlice = 64 * 1024;
constexpr int kSliceMilliseconds = 12;

// Where a slice of `text` that starts at `from` and runs for about `size`
// characters ends: after a line feed, or at the end of the text.
qsizetype sliceEnd(const QString &text, qsizetype from, qsizetype size)
{
    if (from + size >= text.size())
        return text.size();
    const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), from + size);
    return lineEnd < 0 ? text.size() : lineEnd + 1;
}

} // namespace

// Colours one line (block) at a time. Comments and strings end with their
// line, so no state passes from one block to the next: a line can be
// coloured alone, whenever it is first shown or after an edit.
class CodeEditor::Colourer
{
public:
    explicit Colourer(QTextDocument *document)
        : m_document(document)
    { }

    void setStyle(const EditorStyle &style)
    {
        for (TokenClass tokenClass : kTokenClasses) {
            const TokenStyle &tokenStyle = style.forClass(tokenClass);
            QTextCharFormat &format = m_formats[size_t(tokenClass)];
            format = QTextCharFormat();
            format.setForeground(colorFromSetting(tokenStyle.color));
            format.setFontWeight(tokenStyle.bold ? QFont::Bold : QFont::Normal);
        }
        // Neighbouring tokens of equal formats make one range, as they would
        // in a QSyntaxHighlighter.
        for (size_t c = 0; c < m_formats.size(); ++c) {
            m_sameAs[c] = int(c);
            for (size_t earlier = 0; earlier < c; ++earlier) {
                if (m_formats[earlier] == m_formats[c]) {
                    m_sameAs[c] = int(earlier);
                    break;
                }
            }
        }
    }

    void colour(QTextBlock block)
    {
        block.setUserState(kColouredLine);
        QTextLayout *layout = block.layout();
        const QList<QTextLayout::FormatRange> ranges = rangesOf(block.text());
        if (ranges == layout->formats())
            return;
        layout->setFormats(ranges);
        m_document->markContentsDirty(block.position(), block.length());
    }

private:
    QList<QTextLayout::FormatRange> rangesOf(const QString &text) const
    {
        QList<QTextLayout::FormatRange> ranges;
        if (text.isEmpty())
            return ranges;
        const QByteArray utf8 = text.toUtf8();
        const std::vector<SyntaxToken> tokens
            = tokenizeWml(std::string_view(utf8.constData(), size_t(utf8.size())));
        if (tokens.empty())
            return ranges;
        // Tokens start and end on ASCII bytes; byte offsets become UTF-16
        // positions for lines that hold other characters.
        std::vector<int> position;
        if (utf8.size() != text.size()) {
            position.resize(size_t(utf8.size()) + 1);
            int units = 0;
            for (qsizetype i = 0; i < utf8.size(); ++i) {
                position[size_t(i)] = units;
                const auto byte = static_cast<unsigned char>(utf8[i]);
                if ((byte & 0xC0) != 0x80)
                    units += byte >= 0xF0 ? 2 : 1;
            }
            position[size_t(utf8.size())] = units;
        }
        const auto unitOf
            = [&position](size_t byte) { return position.empty() ? int(byte) : position[byte]; };
        // The class of every character, a later token over an earlier one.
        std::vector<int> classAt(size_t(text.size()), -1);
        for (const SyntaxToken &token : tokens) {
            const int from = unitOf(token.start);
            const int to = std::min(unitOf(token.start + token.length), int(text.size()));
            std::fill(classAt.begin() + from, classAt.begin() + std::max(from, to),
                      m_sameAs[size_t(token.tokenClass)]);
        }
        for (size_t i = 0; i < classAt.size();) {
            const int tokenClass = classAt[i];
            size_t end = i + 1;
            while (end < classAt.size() && classAt[end] == tokenClass)
                ++end;
            if (tokenClass >= 0) {
                QTextLayout::FormatRange range;
                range.start = int(i);
                range.length = int(end - i);
                range.format = m_formats[size_t(tokenClass)];
                ranges.append(range);
            }
            i = end;
        }
        return ranges;
    }

    QTextDocument *m_document;
    std::array<QTextCharFormat, kTokenClasses.size()> m_formats;
    std::array<int, kTokenClasses.size()> m_sameAs {};
};

CodeEditor::CodeEditor(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
    m_colourer = std::make_unique<Colourer>(document());
    m_colourer->setStyle(m_style);
    connect(document(), &QTextDocument::contentsChange, this, &CodeEditor::contentsChanged);
    // Scrolled near the end of the lines in so far: the rest comes at the
    // next idle moment.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        const QScrollBar *bar = verticalScrollBar();
        if (m_fillTimer && value + 2 * bar->pageStep() >= bar->maximum())
            m_completeSoon = true;
    });
    applyFont(m_style.fontFace);
    applyPreferences();
    moveCursor(QTextCursor::Start);
}

CodeEditor::~CodeEditor()
{
    // The document outlives the colourer by a moment.
    disconnect(document(), nullptr, this, nullptr);
}

void CodeEditor::applyPreferences()
{
    applyPreferences(SettingsKey());
}

void CodeEditor::applyPreferences(const SettingsKey &key)
{
    applyStyle(readEditorStyle(key));
}

void CodeEditor::applyStyle(const EditorStyle &style)
{
    const bool fontChanged = style.fontFace != m_style.fontFace;
    const bool colorsChanged
        = !(style.keyword == m_style.keyword && style.attribute == m_style.attribute
            && style.string == m_style.string && style.comment == m_style.comment);
    m_style = style;
    if (fontChanged)
        applyFont(m_style.fontFace);
    if (colorsChanged) {
        m_colourer->setStyle(m_style);
        QTextDocument *doc = document();
        const bool now = doc->blockCount() <= kEagerLines;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            if (now)
                m_colourer->colour(block);
            else
                block.setUserState(-1);
        }
        viewport()->update();
    }
}

QFont CodeEditor::fontFor(const std::string &face)
{
    const QString family = QString::fromStdString(face);
    // A face that is not installed gives way to the system's fixed-width
    // font, which every desktop has, rather than to whatever Qt matches.
    QFont font = QFontDatabase::families().contains(family, Qt::CaseInsensitive)
        ? QFont(family)
        : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // Qt fonts carry every script, so no character set is chosen here.
    font.setPointSize(kEditorFontPoints);
    font.setWeight(QFont::Normal);
    return font;
}

void CodeEditor::applyFont(const std::string &face)
{
    setFont(fontFor(face));
    setTabStopDistance(logicalDpiX() * kEditorTabStopInches);
}

std::string CodeEditor::text() const
{
    // The raw text keeps non-breaking spaces, which toPlainText() would turn
    // into blanks.
    QString raw = m_fillTimer ? m_fillText : document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    raw.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return raw.toStdString();
}

namespace {

// Block separators stand for the line feeds of the text.
bool sameCharacter(QChar shown, QChar held)
{
    if (shown == held)
        return true;
    return shown == QLatin1Char('\n')
        && (held == QChar::ParagraphSeparator || held == QChar::LineSeparator);
}

} // namespace

void CodeEditor::setText(const std::string &text)
{
    ++m_textGeneration;
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const bool wasFilling = m_fillTimer != nullptr;
    if (wasFilling) {
        // A text that starts with what is in already only changes what is
        // still to come.
        if (shown.size() >= m_filled
            && QStringView(shown).first(m_filled) == QStringView(m_fillText).first(m_filled)) {
            m_fillText = std::move(shown);
            moveCursor(QTextCursor::Start);
            return;
        }
        // Nothing was edited meanwhile (an edit completes the text first),
        // so the new text goes in afresh rather than all of the old one.
        stopFill();
    }
    QTextDocument *doc = document();
    if (wasFilling || doc->isEmpty()) {
        if (shown.size() > 2 * kFirstSlice) {
            startFill(std::move(shown));
        } else {
            setPlainText(shown);
        }
        moveCursor(QTextCursor::Start);
        return;
    }

    // The common start and end stay; the part between is replaced in one
    // edit, whose lines are recoloured as those of any edit.
    const QString held = doc->toRawText();
    const qsizetype shownSize = shown.size();
    const qsizetype heldSize = held.size();
    qsizetype prefix = 0;
    const qsizetype limit = std::min(shownSize, heldSize);
    while (prefix < limit && sameCharacter(shown[prefix], held[prefix]))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < limit - prefix
           && sameCharacter(shown[shownSize - 1 - suffix], held[heldSize - 1 - suffix]))
        ++suffix;
    // Never cut a surrogate pair in two.
    if (prefix > 0 && shown[prefix - 1].isHighSurrogate())
        --prefix;
    if (suffix > 0 && shown[shownSize - suffix].isLowSurrogate())
        --suffix;

    if (prefix + suffix < shownSize || prefix + suffix < heldSize) {
        QTextCursor cursor(doc);
        cursor.setPosition(int(prefix));
        cursor.setPosition(int(heldSize - suffix), QTextCursor::KeepAnchor);
        // The replacement is not the user's edit: no undo step, and the
        // history ends here as it would with a fresh text.
        doc->setUndoRedoEnabled(false);
        cursor.insertText(shown.mid(prefix, shownSize - prefix - suffix));
        doc->setUndoRedoEnabled(true);
    }
    moveCursor(QTextCursor::Start);
}

void CodeEditor::appendUnrecorded(QStringView chunk)
{
    QTextDocument *doc = document();
    const bool modified = doc->isModified();
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    m_appending = true;
    cursor.insertText(chunk.toString());
    m_appending = false;
    doc->setUndoRedoEnabled(undo);
    doc->setModified(modified);
}

void CodeEditor::startFill(QString text)
{
    const qsizetype first = sliceEnd(text, 0, kFirstSlice);
    setPlainText(text.first(first));
    m_fillText = std::move(text);
    m_filled = first;
    m_completeSoon = false;
    m_fillTimer = new QTimer(this);
    m_fillTimer->setInterval(0);
    connect(m_fillTimer, &QTimer::timeout, this, &CodeEditor::fillSlice);
    // A view that is to be seen paints its first lines before the rest
    // comes; a hidden one (a tab not shown) starts taking the rest in now.
    if (!isVisibleTo(window()))
        m_fillTimer->start();
}

void CodeEditor::fillSlice()
{
    if (m_completeSoon) {
        completeText();
        return;
    }
    QElapsedTimer clock;
    clock.start();
    while (m_filled < m_fillText.size() && clock.elapsed() < kSliceMilliseconds) {
        const qsizetype end = sliceEnd(m_fillText, m_filled, kSlice);
        appendUnrecorded(QStringView(m_fillText).sliced(m_filled, end - m_filled));
        m_filled = end;
    }
    if (m_filled >= m_fillText.size())
        stopFill();
}

void CodeEditor::completeText()
{
    if (!m_fillTimer)
        return;
    if (m_filled < m_fillText.size())
        appendUnrecorded(QStringView(m_fillText).sliced(m_filled));
    stopFill();
}

void CodeEditor::stopFill()
{
    delete m_fillTimer;
    m_fillTimer = nullptr;
    m_fillText.clear();
    m_filled = 0;
    m_completeSoon = false;
}

void CodeEditor::contentsChanged(int from, int removed, int added)
{
    if (m_fillTimer && !m_appending) {
        // Every command that edits completes the text first; anything else
        // that replaced the whole text ends the filling, and an edit inside
        // it has the rest come at once.
        if (from == 0 && removed > 0 && document()->characterCount() - 1 == added)
            stopFill();
        else
            m_completeSoon = true;
    }
    QTextDocument *doc = document();
    QTextBlock block = doc->findBlock(from);
    if (!block.isValid())
        return;
    // The lines the change touched, as QSyntaxHighlighter counts them.
    QTextBlock last = doc->findBlock(from + added + (removed > 0 ? 1 : 0));
    if (!last.isValid())
        last = doc->lastBlock();
    const bool now = last.blockNumber() - block.blockNumber() < kEagerLines;
    for (;; block = block.next()) {
        if (now)
            m_colourer->colour(block);
        else
            block.setUserState(-1);
        if (block == last)
            break;
    }
    if (!now)
        viewport()->update();
}

void CodeEditor::colourVisibleLines()
{
    const int bottom = viewport()->rect().bottom();
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (block.userState() != kColouredLine)
            m_colourer->colour(block);
        if (blockBoundingGeometry(block).translated(offset).top() > bottom)
            break;
    }
}

void CodeEditor::colourAll()
{
    completeText();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.userState() != kColouredLine)
            m_colourer->colour(block);
    }
}

bool CodeEditor::lineColoured(int blockNumber) const
{
    return document()->findBlockByNumber(blockNumber).userState() == kColouredLine;
}

void CodeEditor::setEditMenu(QMenu *menu)
{
    m_editMenu = menu;
}

QString CodeEditor::caretStatusText() const
{
    const QTextCursor cursor = textCursor();
    return QString::asprintf(translated(kCaretStatusFormat).toUtf8().constData(),
                             cursor.blockNumber() + 1, cursor.positionInBlock() + 1);
}

void CodeEditor::editUndo()
{
    completeText();
    undo();
}

void CodeEditor::editRedo()
{
    completeText();
    redo();
}

void CodeEditor::editCut()
{
    completeText();
    cut();
}

void CodeEditor::editCopy()
{
    completeText();
    copy();
}

void CodeEditor::editPaste()
{
    completeText();
    paste();
}

void CodeEditor::editSelectAll()
{
    completeText();
    selectAll();
}

void CodeEditor::keyPressEvent(QKeyEvent *event)
{
    // Moving the caret about the lines in so far needs no more of them.
    if (!movesWithinLines(event))
        completeText();
    // Straight to the editor: a derived view has seen the key press itself.
    switch (editKeyOf(event)) {
    case EditKey::Undo:
        undo();
        break;
    case EditKey::Cut:
        cut();
        break;
    case EditKey::Copy:
        copy();
        break;
    case EditKey::Paste:
        paste();
        break;
    case EditKey::None:
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CodeEditor::keyReleaseEvent(QKeyEvent *event)
{
    QPlainTextEdit::keyReleaseEvent(event);
    emit caretStatusChanged(caretStatusText());
}

void CodeEditor::mousePressEvent(QMouseEvent *event)
{
    QPlainTextEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit caretStatusChanged(caretStatusText());
}

void CodeEditor::paintEvent(QPaintEvent *event)
{
    colourVisibleLines();
    QPlainTextEdit::paintEvent(event);
    if (m_fillTimer && !m_fillTimer->isActive())
        m_fillTimer->start();
}

void CodeEditor::inputMethodEvent(QInputMethodEvent *event)
{
    completeText();
    QPlainTextEdit::inputMethodEvent(event);
}

void CodeEditor::insertFromMimeData(const QMimeData *source)
{
    completeText();
    QPlainTextEdit::insertFromMimeData(source);
}

void CodeEditor::dropEvent(QDropEvent *event)
{
    completeText();
    QPlainTextEdit::dropEvent(event);
}

void CodeEditor::contextMenuEvent(QContextMenuEvent *event)
{
    completeText();
    if (m_editMenu) {
        m_editMenu->exec(event->globalPos());
        return;
    }
    // The usual menu, with the commands that change the text sent through
    // this view's slots so that a derived view sees them.
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    const std::pair<const char *, void (CodeEditor::*)()> routes[] = {
        {"edit-undo", &CodeEditor::editUndo},
        {"edit-cut", &CodeEditor::editCut},
        {"edit-paste", &CodeEditor::editPaste},
    };
    for (QAction *action : menu->actions()) {
        for (const auto &[name, slot] : routes) {
            if (action->objectName() == QLatin1String(name)) {
                action->disconnect(SIGNAL(triggered(bool)));
                connect(action, &QAction::triggered, this, slot);
            }
        }
    }
    menu->exec(event->globalPos());
}

} // namespace tess
