#include "gui/design/CardPropertiesDialog.h"

#include "app/Translation.h"
#include "deck/DeckConstants.h"
#include "editor/Prompter.h"
#include "gui/design/CardPropertiesPage.h"
#include "gui/design/CardTaskPage.h"
#include "gui/design/WidgetPrompter.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tess {

CardPropertiesDialog::CardPropertiesDialog(const CardSheetData &data, QWidget *parent)
    : QDialog(parent)
    , m_data(data)
    , m_pages(new QTabWidget(this))
    , m_cardPage(new CardPropertiesPage(this))
    , m_actionPage(new CardTaskPage(this))
{
    setWindowTitle(translated(CardSheetCaption));
    m_pages->addTab(m_cardPage, translated(CardPageTitle));
    m_pages->addTab(m_actionPage, translated(ActionPageTitle));
    m_cardPage->load(data.cardFragment, data.timerFragment);
    m_actionPage->load(data.events);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CardPropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CardPropertiesDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
}

void CardPropertiesDialog::accept()
{
    const CardPropertyFields card = m_cardPage->fields();
    const CardTaskEditor &action = m_actionPage->editor();
    const CardTaskFields &a = action.fields;
    const RuleResult failure
        = CheckCardSheet({card.id, card.title, card.forwardUrl, card.backwardUrl, card.timerUrl,
                          card.timerName, card.timerValue, a.id, a.action, a.variableName});
    if (failure) {
        prompterOf(this).message(failure->message, Prompter::Icon::Warning, Prompter::Buttons::Ok);
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
    CardPropertiesDialog sheet(data, parent);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    data = sheet.data();
    return true;
}

} // namespace tess
