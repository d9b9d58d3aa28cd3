#pragma once

#include "editor/CardRebuild.h"

#include <QDialog>

class QTabWidget;

namespace tess {

class CardPropertiesPage;
class CardTaskPage;

// "Card Properties": the Card and Action pages of one card. OK checks both
// pages; a failure shows its message, brings up the page that holds the
// field, puts the focus there and keeps the sheet open.
class CardPropertiesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CardPropertiesDialog(const CardSheetData &data, QWidget *parent = nullptr);

    // The sheet's data after OK.
    const CardSheetData &data() const { return m_data; }
    QTabWidget *pages() const { return m_pages; }
    CardPropertiesPage *cardPage() const { return m_cardPage; }
    CardTaskPage *actionPage() const { return m_actionPage; }

public slots:
    void accept() override;

private:
    CardSheetData m_data;
    QTabWidget *m_pages;
    CardPropertiesPage *m_cardPage;
    CardTaskPage *m_actionPage;
};

// Shows the sheet on `data`; true, with `data` replaced by the sheet's, after
// OK. Cancel leaves `data` as it was.
bool RunCardPropertySheet(CardSheetData &data, QWidget *parent = nullptr);

} // namespace tess
