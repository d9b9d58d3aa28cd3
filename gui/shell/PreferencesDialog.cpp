#include "gui/shell/PreferencesDialog.h"

#include "app/ProjectTexts.h"
#include "app/SettingsKey.h"
#include "app/Translation.h"
#include "editor/Prompter.h"
#include "gui/code/CodeEditor.h"
#include "gui/shell/ShellConstants.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace tess {

namespace {

constexpr int kSwatchWidth = 28;
constexpr int kSwatchHeight = 12;

QPixmap swatch(const QColor &fill)
{
    QPixmap pixmap(kSwatchWidth, kSwatchHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(fill);
    painter.drawRect(0, 0, kSwatchWidth - 1, kSwatchHeight - 1);
    return pixmap;
}

QColor colorOf(uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The scalable fonts of the system, sorted.
QStringList scalableFonts()
{
    QStringList fonts;
    for (const QString &family : QFontDatabase::families()) {
        if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family))
            fonts << family;
    }
    fonts.sort(Qt::CaseInsensitive);
    return fonts;
}

QPushButton *browseButton(QWidget *parent)
{
    auto *button = new QPushButton(translated(kPreferencesBrowse), parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ColorPickerCombo::ColorPickerCombo(QWidget *parent)
    : QComboBox(parent)
{
    std::vector<PaletteColor> sorted(colorPalette().begin(), colorPalette().end());
    std::sort(sorted.begin(), sorted.end(), [](const PaletteColor &a, const PaletteColor &b) {
        return QString::fromLatin1(a.name) < QString::fromLatin1(b.name);
    });
    setIconSize(QSize(kSwatchWidth, kSwatchHeight));
    for (const PaletteColor &color : sorted) {
        QIcon icon(swatch(colorOf(color.value)));
        icon.addPixmap(swatch(Qt::gray), QIcon::Disabled);
        addItem(icon, QString::fromLatin1(color.name), QVariant::fromValue(color.value));
    }
    setCurrentIndex(0);
}

uint32_t ColorPickerCombo::selectedColor() const
{
    return currentIndex() < 0 ? 0 : currentData().value<uint32_t>();
}

void ColorPickerCombo::selectColor(uint32_t value)
{
    const int index = findData(QVariant::fromValue(value));
    if (index >= 0)
        setCurrentIndex(index);
}

PreferencesDialog::PreferencesDialog(SettingsKey &key, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_key(key)
    , m_prompter(prompter)
{
    setWindowTitle(translated(kPreferencesCaption));

    auto *codeView = new QGroupBox(translated(kPreferencesCodeView), this);
    auto *form = new QFormLayout(codeView);
    m_font = new QComboBox(codeView);
    m_font->addItems(scalableFonts());
    m_fontNote = new QLabel(codeView);
    m_fontNote->setWordWrap(true);
    m_fontNote->hide();
    m_tags = new ColorPickerCombo(codeView);
    m_comments = new ColorPickerCombo(codeView);
    m_attributes = new ColorPickerCombo(codeView);
    m_strings = new ColorPickerCombo(codeView);
    m_script = new ColorPickerCombo(this);
    m_script->hide();
    const std::pair<const char *, QWidget *> rows[] = {
        {kPreferencesFont, m_font},
        {nullptr, m_fontNote},
        {kPreferencesTags, m_tags},
        {kPreferencesComments, m_comments},
        {kPreferencesAttributes, m_attributes},
        {kPreferencesStrings, m_strings},
    };
    for (const auto &[label, field] : rows) {
        if (label)
            form->addRow(translated(label), field);
        else
            form->addRow(field);
    }
    m_defaults = new QPushButton(translated(kPreferencesDefaults), codeView);
    m_defaults->setAutoDefault(false);
    form->addRow(m_defaults);
    connect(m_defaults, &QPushButton::clicked, this, &PreferencesDialog::setDefaults);

    auto *paths = new QFormLayout;
    m_emulator = new QLineEdit(this);
    m_emulatorBrowse = browseButton(this);
    auto *emulatorRow = new QHBoxLayout;
    emulatorRow->addWidget(m_emulator);
    emulatorRow->addWidget(m_emulatorBrowse);
    paths->addRow(translated(kPreferencesEmulator), emulatorRow);
    connect(m_emulatorBrowse, &QPushButton::clicked, this, &PreferencesDialog::browseEmulator);

    m_localDtd = new QCheckBox(translated(kPreferencesLocalDtd), this);
    m_dtd = new QLineEdit(this);
    m_dtdBrowse = browseButton(this);
    auto *dtdRow = new QHBoxLayout;
    dtdRow->addWidget(m_dtd);
    dtdRow->addWidget(m_dtdBrowse);
    paths->addRow(m_localDtd, dtdRow);
    connect(m_localDtd, &QCheckBox::toggled, this, [this](bool on) {
        m_dtd->setEnabled(on);
        m_dtdBrowse->setEnabled(on);
    });
    connect(m_dtdBrowse, &QPushButton::clicked, this, &PreferencesDialog::browseDtd);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(translated(kPreferencesOk), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(translated(kPreferencesCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(codeView);
    layout->addLayout(paths);
    layout->addWidget(buttons);

    load(readPreferences(m_key));
}

void PreferencesDialog::load(const Preferences &p)
{
    const std::pair<ColorPickerCombo *, uint32_t> colors[] = {
        {m_tags, p.tags},       {m_comments, p.comments}, {m_attributes, p.attributes},
        {m_strings, p.strings}, {m_script, p.script},
    };
    for (const auto &[combo, value] : colors)
        combo->selectColor(value);

    m_font->setCurrentIndex(m_font->count() > 0 ? 0 : -1);
    const QString stored = QString::fromStdString(p.font.value_or(kDefaultEditorFont));
    const int index = m_font->findText(stored, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        m_font->setCurrentIndex(index);
    // The code view does not take the first font of the list in place of a
    // missing one; it says which it shows.
    if (index < 0) {
        m_fontNote->setText(
            translated(kPreferencesFontMissing)
                .arg(stored, QFontInfo(CodeEditor::fontFor(stored.toStdString())).family()));
        m_fontNote->show();
    }

    m_dtd->setText(QString::fromStdString(p.dtdPath));
    m_emulator->setText(QString::fromStdString(p.emulatorPath));
    m_localDtd->setChecked(p.localDtd);
    m_dtd->setEnabled(p.localDtd);
    m_dtdBrowse->setEnabled(p.localDtd);
}

void PreferencesDialog::setDefaults()
{
    saveDefaultStyle(m_key);
    const Preferences defaults;
    m_tags->selectColor(defaults.tags);
    m_comments->selectColor(defaults.comments);
    m_attributes->selectColor(defaults.attributes);
    m_strings->selectColor(defaults.strings);
    m_script->selectColor(defaults.script);
    const int index = m_font->findText(QString::fromLatin1(kDefaultEditorFont),
                                       Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        m_font->setCurrentIndex(index);
}

void PreferencesDialog::browseEmulator()
{
    Prompter::FileRequest request;
    request.filter = kEmulatorFileFilter;
    request.confirmOverwrite = false;
    request.initialPath = m_emulator->text().toStdString();
    const std::string path = m_prompter.openFileName(request);
    if (path.empty())
        return;
    // Linux programs have no ".exe" to filter on: a file that cannot be run
    // is refused here rather than at the first preview.
    const QFileInfo file(QString::fromStdString(path));
    if (!file.isFile() || !file.isExecutable()) {
        m_prompter.message(translated(kPreferencesNotAProgram).arg(file.filePath()).toStdString(),
                           Prompter::Icon::Stop);
        return;
    }
    m_emulator->setText(file.absoluteFilePath());
}

void PreferencesDialog::browseDtd()
{
    const std::string folder
        = m_prompter.folderName(kProjectPathBrowserTitle, m_dtd->text().toStdString());
    if (!folder.empty())
        m_dtd->setText(QString::fromStdString(folder));
}

void PreferencesDialog::accept()
{
    Preferences p;
    p.tags = m_tags->selectedColor();
    p.comments = m_comments->selectedColor();
    p.attributes = m_attributes->selectedColor();
    p.strings = m_strings->selectedColor();
    p.script = m_script->selectedColor();
    if (m_font->currentIndex() >= 0)
        p.font = m_font->currentText().toStdString();
    p.localDtd = m_localDtd->isChecked();
    p.dtdPath = dtdFileFromField(m_dtd->text().left(255).toStdString());
    p.emulatorPath = m_emulator->text().left(255).toStdString();
    savePreferences(m_key, p);
    m_stored = p;
    QDialog::accept();
}

} // namespace tess
