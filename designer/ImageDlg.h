#pragma once

#include "designer/ElementProperties.h"
#include "designer/ImageProperties.h"
#include "designer/PropertyDialog.h"

class QButtonGroup;
class QLineEdit;

namespace tess {

// "Image": the start tag of an image.
class CImageDlg : public PropertyDialog
{
    Q_OBJECT
public:
    explicit CImageDlg(const std::string &fragment, QWidget *parent = nullptr);
    const DialogOutcome &outcome() const { return m_outcome; }

protected:
    bool commit() override;

private:
    DialogOutcome m_outcome;
    QLineEdit *m_alt, *m_src, *m_vspace, *m_hspace, *m_localSrc, *m_height, *m_width;
    QButtonGroup *m_align;
    QLineEdit *m_xmlLang;
};

DialogOutcome RunImageDlg(const std::string &fragment, QWidget *parent = nullptr);

} // namespace tess
