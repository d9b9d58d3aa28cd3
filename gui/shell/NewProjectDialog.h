#pragma once

#include "app/ProjectFile.h"

#include <QDialog>

class QLineEdit;

namespace tess {

class Prompter;

// "New Project": a name and a location; OK makes the project's folder and
// file, or tells why not and stays open.
class NewProjectDialog : public QDialog
{
    Q_OBJECT
public:
    NewProjectDialog(Prompter &prompter, QWidget *parent = nullptr);

    QLineEdit *nameEdit() const { return m_name; }
    QLineEdit *locationEdit() const { return m_location; }
    // What OK made; meaningful once the dialog was accepted.
    const NewProject &created() const { return m_created; }

    void accept() override;

private:
    Prompter &m_prompter;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_location = nullptr;
    NewProject m_created;
};

} // namespace tess
