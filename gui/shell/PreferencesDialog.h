#pragma once

#include "app/Preferences.h"

#include <QComboBox>
#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tess {

class Prompter;
class SettingsKey;

// A drop-down list of the preference palette, sorted by name, each colour
// drawn as a framed swatch before its name (grey while disabled). Starts at
// its first item, "Aqua".
class ColorPickerCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit ColorPickerCombo(QWidget *parent = nullptr);
    // The selected colour's value; 0 (black) when none is selected.
    uint32_t selectedColor() const;
    // Selects the item of `value`; a value not in the palette changes nothing.
    void selectColor(uint32_t value);
};

// "User Preference": the code view's font and colours, the emulator's path
// and the local DTD. OK stores them all; Set Defaults stores the default
// colours and font at once, even if the dialog is then cancelled.
class PreferencesDialog : public QDialog
{
    Q_OBJECT
public:
    PreferencesDialog(SettingsKey &key, Prompter &prompter, QWidget *parent = nullptr);

    // What OK stored; meaningful once the dialog was accepted.
    const Preferences &stored() const { return m_stored; }

    QComboBox *fontCombo() const { return m_font; }
    ColorPickerCombo *tagsCombo() const { return m_tags; }
    ColorPickerCombo *commentsCombo() const { return m_comments; }
    ColorPickerCombo *attributesCombo() const { return m_attributes; }
    ColorPickerCombo *stringsCombo() const { return m_strings; }
    QLineEdit *emulatorEdit() const { return m_emulator; }
    QCheckBox *localDtdBox() const { return m_localDtd; }
    QLineEdit *dtdEdit() const { return m_dtd; }
    QPushButton *dtdBrowseButton() const { return m_dtdBrowse; }
    QPushButton *defaultsButton() const { return m_defaults; }
    QPushButton *emulatorBrowseButton() const { return m_emulatorBrowse; }
    // Says which font the code view uses when the stored one is missing.
    QLabel *fontNote() const { return m_fontNote; }

    void accept() override;

private:
    void load(const Preferences &preferences);
    void setDefaults();
    void browseEmulator();
    void browseDtd();

    SettingsKey &m_key;
    Prompter &m_prompter;
    Preferences m_stored;
    QComboBox *m_font = nullptr;
    QLabel *m_fontNote = nullptr;
    ColorPickerCombo *m_tags = nullptr;
    ColorPickerCombo *m_comments = nullptr;
    ColorPickerCombo *m_attributes = nullptr;
    ColorPickerCombo *m_strings = nullptr;
    // Kept, not shown: the script colour travels with the others.
    ColorPickerCombo *m_script = nullptr;
    QPushButton *m_defaults = nullptr;
    QLineEdit *m_emulator = nullptr;
    QPushButton *m_emulatorBrowse = nullptr;
    QCheckBox *m_localDtd = nullptr;
    QLineEdit *m_dtd = nullptr;
    QPushButton *m_dtdBrowse = nullptr;
};

} // namespace tess
