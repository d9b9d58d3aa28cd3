#pragma once

#include "model/CardRebuild.h"

#include <QDialog>

class QTabWidget;

namespace tess {

class CWMLCardProperty;
class CWMLCardTask;

// "Card Properties": the Card and Action pages of one card. OK checks both
// pages; a failure shows its message, brings up the page that holds the
// field, puts the focus there and keeps the sheet open.
class CMyPropertySheet : public QDialog
{
    Q_OBJECT
public:
    explicit CMyPropertySheet(const CardSheetData &data, QWidget *parent = nullptr);

    // The sheet's data after OK.
    const CardSheetData &data() const { return m_data; }
    QTabWidget *pages() const { return m_pages; }
    CWMLCardProperty *cardPage() const { return m_cardPage; }
    CWMLCardTask *actionPage() const { return m_actionPage; }

public slots:
    void accept() override;

private:
    CardSheetData m_data;
    QTabWidget *m_pages;
    CWMLCardProperty *m_cardPage;
    CWMLCardTask *m_actionPage;
};

// Shows the sheet on `data`; true, with `data` replaced by the sheet's, after
// OK. Cancel leaves `data` as it was.
bool RunCardPropertySheet(CardSheetData &data, QWidget *parent = nullptr);

} // namespace tess
