#pragma once

#include "editor/ElementProperties.h"
#include "editor/ImageProperties.h"
#include "gui/design/PropertyDialog.h"

class QButtonGroup;
class QLineEdit;

namespace tess {

// "Image": the start tag of an image.
class ImageDialog : public PropertyDialog
{
    Q_OBJECT
public:
    explicit ImageDialog(const StartTag &tag, QWidget *parent = nullptr);
    const DialogOutcome &outcome() const { return m_outcome; }

protected:
    bool commit() override;

private:
    DialogOutcome m_outcome;
    QLineEdit *m_alt, *m_src, *m_vspace, *m_hspace, *m_localSrc, *m_height, *m_width;
    QButtonGroup *m_align;
    QLineEdit *m_xmlLang;
};

DialogOutcome RunImageDlg(const StartTag &tag, QWidget *parent = nullptr);

} // namespace tess
