#include "gui/code/CodeEditor.h"

#include "app/SettingsColor.h"
#include "app/SettingsKey.h"
#include "app/Translation.h"
#include "gui/code/CodeConstants.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QSyntaxHighlighter>
#include <QTextBlock>

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

} // namespace

// Colours one line (block) at a time. Comments and strings end with their
// line, so no state passes from one block to the next and an edit recolours
// only the blocks it touched.
class CodeEditor::Highlighter : public QSyntaxHighlighter
{
public:
    explicit Highlighter(QTextDocument *document)
        : QSyntaxHighlighter(document)
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
    }

protected:
    void highlightBlock(const QString &text) override
    {
        if (text.isEmpty())
            return;
        const QByteArray utf8 = text.toUtf8();
        const std::vector<SyntaxToken> tokens
            = tokenizeWml(std::string_view(utf8.constData(), size_t(utf8.size())));
        if (tokens.empty())
            return;
        if (utf8.size() == text.size()) {
            for (const SyntaxToken &token : tokens)
                setFormat(int(token.start), int(token.length), m_formats[size_t(token.tokenClass)]);
            return;
        }
        // Tokens start and end on ASCII bytes; map byte offsets to UTF-16
        // positions for lines that hold other characters.
        std::vector<int> position(size_t(utf8.size()) + 1);
        int units = 0;
        for (qsizetype i = 0; i < utf8.size(); ++i) {
            position[size_t(i)] = units;
            const auto byte = static_cast<unsigned char>(utf8[i]);
            if ((byte & 0xC0) != 0x80)
                units += byte >= 0xF0 ? 2 : 1;
        }
        position[size_t(utf8.size())] = units;
        for (const SyntaxToken &token : tokens) {
            const int start = position[token.start];
            setFormat(start, position[token.start + token.length] - start,
                      m_formats[size_t(token.tokenClass)]);
        }
    }

private:
    std::array<QTextCharFormat, kTokenClasses.size()> m_formats;
};

CodeEditor::CodeEditor(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
    m_highlighter = new Highlighter(document());
    m_highlighter->setStyle(m_style);
    applyFont(m_style.fontFace);
    applyPreferences();
    moveCursor(QTextCursor::Start);
}

CodeEditor::~CodeEditor() = default;

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
        m_highlighter->setStyle(m_style);
        m_highlighter->rehighlight();
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
    QString raw = document()->toRawText();
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
    QTextDocument *doc = document();
    if (doc->isEmpty()) {
        // The highlighter colours every line as it arrives, so the text is
        // complete in colour when this returns.
        setPlainText(shown);
        moveCursor(QTextCursor::Start);
        return;
    }

    // The common start and end stay; the part between is replaced in one
    // edit, which the highlighter recolours line by line.
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

void CodeEditor::appendText(const QString &chunk)
{
    QTextDocument *doc = document();
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    cursor.insertText(chunk);
    doc->setUndoRedoEnabled(undo);
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
    undo();
}

void CodeEditor::editRedo()
{
    redo();
}

void CodeEditor::editCut()
{
    cut();
}

void CodeEditor::editCopy()
{
    copy();
}

void CodeEditor::editPaste()
{
    paste();
}

void CodeEditor::editSelectAll()
{
    selectAll();
}

void CodeEditor::keyPressEvent(QKeyEvent *event)
{
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

void CodeEditor::contextMenuEvent(QContextMenuEvent *event)
{
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
