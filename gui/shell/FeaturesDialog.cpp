#include "gui/shell/FeaturesDialog.h"

#include "app/Translation.h"
#include "gui/shell/ShellConstants.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tess {

namespace {

constexpr const char *kFeatures[] = {
    QT_TRANSLATE_NOOP("tess", "Design WML 1.1 decks card by card on a design surface"),
    QT_TRANSLATE_NOOP("tess",
                      "Insert anchors, select lists, options, option groups, input "
                      "boxes, text, images, cards and paragraphs from the W&ML "
                      "Controls menu or the Designing bar"),
    QT_TRANSLATE_NOOP("tess",
                      "Set each element's properties in its own dialog, which checks "
                      "names and values as WML requires"),
    QT_TRANSLATE_NOOP("tess",
                      "Edit the source in a code view coloured by WML syntax, with "
                      "Find and Find And Replace"),
    QT_TRANSLATE_NOOP("tess",
                      "Design and code stay in step through the file at every tab "
                      "switch"),
    QT_TRANSLATE_NOOP("tess",
                      "Compile a deck against the WML 1.1 DTD; errors are shown with "
                      "their line and position in the Output window"),
    QT_TRANSLATE_NOOP("tess", "See the parsed deck as an XML tree"),
    QT_TRANSLATE_NOOP("tess",
                      "Edit ASP and JSP pages that produce WML, their server code "
                      "kept as written"),
    QT_TRANSLATE_NOOP("tess", "Files keep their encoding and line ends"),
    QT_TRANSLATE_NOOP("tess", "Undo and redo in the code view and on the design surface"),
    QT_TRANSLATE_NOOP("tess",
                      "Several documents open at once, with the four most recent "
                      "files in the File menu"),
    QT_TRANSLATE_NOOP("tess",
                      "Check or format decks from the command line with --check and "
                      "--format"),
};

} // namespace

FeaturesDialog::FeaturesDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(translated(kFeaturesCaption));
    m_list = new QListWidget(this);
    m_list->setWordWrap(true);
    for (const char *feature : kFeatures)
        m_list->addItem(translated(feature));
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(translated(kFeaturesOk), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(460, 320);
}

} // namespace tess
