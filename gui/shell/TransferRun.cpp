#include "gui/shell/TransferRun.h"

#include "app/RemoteName.h"
#include "app/Translation.h"
#include "editor/Prompter.h"
#include "gui/shell/TransferTexts.h"

#include <QCloseEvent>
#include <QCompleter>
#include <QEventLoop>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tess {

namespace {

// How often the user-interface thread looks at the worker.
constexpr int kPollMs = 50;
// The bar's steps: a file's byte count may not fit its int range.
constexpr int kBarSteps = 1000;

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

FtpLoginFields::FtpLoginFields(FtpSession &session, QLineEdit *folder, FolderField field,
                               QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_folder(folder)
    , m_field(field)
    , m_server(new QLineEdit)
    , m_user(new QLineEdit)
    , m_password(new QLineEdit)
{
    m_password->setEchoMode(QLineEdit::Password);
    m_server->setMinimumWidth(240);
    QStringList known;
    for (const FtpServerEntry &entry : m_session.servers.entries())
        known << qs(entry.server);
    auto *completer = new QCompleter(known, m_server);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_server->setCompleter(completer);
    connect(m_server, &QLineEdit::textChanged, this, &FtpLoginFields::offer);
    if (!known.isEmpty())
        m_server->setText(known.first());
}

void FtpLoginFields::offer(const QString &server)
{
    const FtpServerEntry entry = m_session.servers.find(server.toStdString());
    const auto take = [](QLineEdit *field, QString &offered, const std::string &value) {
        // What the user typed himself stays.
        if (!field->text().isEmpty() && field->text() != offered)
            return;
        offered = qs(value);
        field->setText(offered);
    };
    take(m_user, m_offeredUser, entry.user);
    take(m_folder, m_offeredFolder, entry.*m_field);
}

void FtpLoginFields::addRows(QFormLayout *form) const
{
    form->addRow(translated(kServerLabel), m_server);
    form->addRow(translated(kUserLabel), m_user);
    form->addRow(translated(kPasswordLabel), m_password);
}

void FtpLoginFields::focusFirstEmpty() const
{
    for (QLineEdit *field : {m_server, m_user, m_password, m_folder}) {
        if (field->text().isEmpty()) {
            field->setFocus();
            return;
        }
    }
}

void makeBrowseButton(QPushButton *button)
{
    button->setAutoDefault(false);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 24);
}

bool FtpLoginFields::check(Prompter &prompter) const
{
    const std::pair<QLineEdit *, const char *> fields[]
        = {{m_server, kEnterServer}, {m_user, kEnterUser}, {m_password, kEnterPassword}};
    for (const auto &[field, text] : fields) {
        if (field->text().isEmpty()) {
            prompter.message(text);
            field->setFocus();
            return false;
        }
    }
    return true;
}

TransferJob::Settings FtpLoginFields::login() const
{
    TransferJob::Settings settings;
    settings.arguments = {m_server->text().toStdString(), m_user->text().toStdString(),
                          m_password->text().toStdString()};
    return settings;
}

void FtpLoginFields::remember() const
{
    FtpServerEntry entry {m_server->text().toStdString(), m_user->text().toStdString(), {}, {}};
    entry.*m_field = m_folder->text().toStdString();
    m_session.servers.remember(entry);
}

TransferStatusDialog::TransferStatusDialog(TransferJob &job, QWidget *parent)
    : QDialog(parent)
    , m_job(job)
    , m_status(new QLabel)
    , m_percent(new QLabel(QStringLiteral("0%")))
    , m_bar(new QProgressBar)
    , m_cancel(new QPushButton(translated(kTransferCancel)))
{
    setWindowTitle(translated(kStatusTitle));
    m_status->setMinimumWidth(360);
    m_status->setTextFormat(Qt::PlainText);
    m_percent->setMinimumWidth(m_percent->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
    m_percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_bar->setRange(0, kBarSteps);
    m_bar->setValue(0);
    // The percent text beside the bar says it already.
    m_bar->setTextVisible(false);
    connect(m_cancel, &QPushButton::clicked, this, &TransferStatusDialog::reject);

    auto *progress = new QHBoxLayout;
    progress->addWidget(m_bar, 1);
    progress->addWidget(m_percent);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addLayout(progress);
    layout->addLayout(buttons);
}

void TransferStatusDialog::showSnapshot(const TransferSnapshot &snapshot)
{
    if (!snapshot.caption.empty())
        setWindowTitle(qs(snapshot.caption));
    m_status->setText(qs(snapshot.status));
    if (m_percent->text() != qs(snapshot.percent))
        m_percent->setText(qs(snapshot.percent));
    const std::uint64_t position = std::min(snapshot.position, snapshot.range);
    m_bar->setValue(snapshot.range ? int(position * kBarSteps / snapshot.range) : 0);
}

void TransferStatusDialog::reject()
{
    m_job.cancel();
    m_cancel->setEnabled(false);
}

void TransferStatusDialog::closeEvent(QCloseEvent *event)
{
    // The box goes when the job ends, not before.
    reject();
    event->ignore();
}

void runTransfer(TransferJob &job, QWidget *owner, Prompter &prompter, bool showBox)
{
    // A child of the owner would be disabled with it; the box belongs to
    // the owner's own parent window instead, and is modal so that it takes
    // the input the owner had.
    QWidget *above = owner && owner->window()->parentWidget()
        ? owner->window()->parentWidget()->window()
        : nullptr;
    TransferStatusDialog box(job, above);
    box.setWindowModality(Qt::ApplicationModal);
    if (owner)
        owner->setEnabled(false);
    job.start();
    if (showBox) {
        box.show();
        if (owner)
            box.move(owner->window()->frameGeometry().center() - box.rect().center());
    }

    QEventLoop loop;
    QTimer timer;
    bool telling = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        // A message box below runs its own loop, and this timer with it.
        if (telling)
            return;
        // Read first: every notice comes before done.
        const bool finished = job.done();
        if (showBox)
            box.showSnapshot(job.snapshot());
        telling = true;
        for (const std::string &notice : job.takeNotices())
            prompter.message(notice);
        telling = false;
        if (finished)
            loop.quit();
    });
    timer.start(kPollMs);
    loop.exec();
    timer.stop();
    job.wait();
    box.hide();
    if (owner)
        owner->setEnabled(true);
}

std::unique_ptr<TransferJob> runFtpJob(TransferJob::Settings settings, QWidget *owner,
                                       Prompter &prompter, FtpSession &session)
{
    const std::string server = settings.arguments.empty() ? std::string() : settings.arguments[0];
    if (auto known = session.acceptedCertificates.find(server);
        known != session.acceptedCertificates.end())
        settings.ftp.acceptedFingerprint = known->second;
    for (;;) {
        auto job = std::make_unique<TransferJob>(settings);
        runTransfer(*job, owner, prompter, settings.mode == TransferJob::Mode::Transfer);
        const std::string &fingerprint = job->certificateFingerprint();
        if (fingerprint.empty() || fingerprint == settings.ftp.acceptedFingerprint
            || job->cancelled())
            return job;
        const QString question
            = translated(kUnverifiedCertificate)
                  .arg(qs(OneLine(server)), qs(OneLine(job->certificateSubject())),
                       qs(OneLine(fingerprint)));
        if (prompter.message(question.toStdString(), Prompter::Icon::Warning,
                             Prompter::Buttons::YesNo)
            != Prompter::Answer::Yes)
            return job;
        session.acceptedCertificates[server] = fingerprint;
        settings.ftp.acceptedFingerprint = fingerprint;
    }
}

} // namespace tess
