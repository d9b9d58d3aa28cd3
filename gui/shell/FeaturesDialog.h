#pragma once

#include <QDialog>

class QListWidget;

namespace tess {

// Help > Tessarine Features: what the program does, one line each, and OK.
class FeaturesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FeaturesDialog(QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }

private:
    QListWidget *m_list = nullptr;
};

} // namespace tess
