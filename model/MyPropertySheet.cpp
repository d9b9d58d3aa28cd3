#include "model/MyPropertySheet.h"

#include "model/ModelConstants.h"
#include "model/WMLCardProperty.h"
#include "model/WMLCardTask.h"
#include "shell/Prompter.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tess {

namespace {

QString qtext(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CMyPropertySheet::CMyPropertySheet(const CardSheetData &data, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_pages(new QTabWidget(this))
    , m_cardPage(new CWMLCardProperty(this))
    , m_actionPage(new CWMLCardTask(this))
{
    setWindowTitle(qtext(CardSheetCaption));
    m_pages->addTab(m_cardPage, qtext(CardPageTitle));
    m_pages->addTab(m_actionPage, qtext(ActionPageTitle));
    m_cardPage->load(data.cardFragment, data.timerFragment);
    m_actionPage->load(data.events);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMyPropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMyPropertySheet::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
}

void CMyPropertySheet::accept()
{
    const CardPropertyFields card = m_cardPage->fields();
    const CardTaskEditor &action = m_actionPage->editor();
    const CardTaskFields &a = action.fields;
    const RuleResult failure
        = CheckCardSheet({card.id, card.title, card.forwardUrl, card.backwardUrl, card.timerUrl,
                          card.timerName, card.timerValue, a.id, a.action, a.variableName});
    if (failure) {
        Prompter::current().message(failure->message, Prompter::Icon::Warning,
                                    Prompter::Buttons::Ok);
        QWidget *field = m_cardPage->fieldWidget(failure->field);
        QWidget *page = field ? static_cast<QWidget *>(m_cardPage) : m_actionPage;
        if (!field)
            field = m_actionPage->fieldWidget(failure->field);
        if (failure->effect != AfterFailure::KeepPage)
            m_pages->setCurrentWidget(page);
        if (field)
            field->setFocus();
        return;
    }
    m_data = {BuildCardFragment(card), BuildTimerFragment(card), action.events()};
    QDialog::accept();
}

bool RunCardPropertySheet(CardSheetData &data, QWidget *parent)
{
    CMyPropertySheet sheet(data, parent);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    data = sheet.data();
    return true;
}

} // namespace tess
