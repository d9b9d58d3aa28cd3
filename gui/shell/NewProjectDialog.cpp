#include "gui/shell/NewProjectDialog.h"

#include "app/ProjectTexts.h"
#include "app/Translation.h"
#include "editor/Prompter.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tess {

NewProjectDialog::NewProjectDialog(Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_name(new QLineEdit)
    , m_location(new QLineEdit)
{
    setWindowTitle(translated(kNewProjectTitle));
    auto *browse = new QPushButton(translated(kProjectPathBrowse));
    // Enter in a field means OK, even after the button had the focus.
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this] {
        const std::string folder
            = m_prompter.folderName(kProjectPathBrowserTitle, m_location->text().toStdString());
        if (!folder.empty())
            m_location->setText(QString::fromStdString(folder));
    });
    auto *location = new QHBoxLayout;
    location->addWidget(m_location);
    location->addWidget(browse);

    auto *buttons = new QDialogButtonBox;
    buttons->addButton(translated(kProjectDialogOk), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    buttons->addButton(translated(kProjectDialogCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(translated(kProjectNameLabel), m_name);
    // A row whose field is a layout gets no buddy of its own, and without one
    // the label would show its "&".
    auto *locationLabel = new QLabel(translated(kProjectLocationLabel));
    locationLabel->setBuddy(m_location);
    form->addRow(locationLabel, location);
    form->addRow(buttons);
}

void NewProjectDialog::accept()
{
    m_created = CreateNewProject(m_name->text().toStdString(), m_location->text().toStdString());
    if (tell(m_prompter, m_created.outcome)) {
        QDialog::accept();
        return;
    }
    switch (m_created.focus) {
    case NewProjectField::Name:
        // A folder that could not be made: the name is to be typed anew.
        if (m_created.outcome.message == kProjectNotCreated)
            m_name->selectAll();
        m_name->setFocus();
        break;
    case NewProjectField::Location:
        m_location->setFocus();
        break;
    case NewProjectField::None:
        break;
    }
}

} // namespace tess
