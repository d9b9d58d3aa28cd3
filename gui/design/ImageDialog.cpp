#include "gui/design/ImageDialog.h"

#include "editor/DesignConstants.h"

#include <QButtonGroup>
#include <QLineEdit>

namespace tess {

ImageDialog::ImageDialog(const StartTag &tag, QWidget *parent)
    : PropertyDialog(ImageDialogTitle, parent)
{
    m_outcome.fragment = tag.text();
    const ImageFields f = ReadImageFields(tag);
    m_alt = addEdit("Alternative text", "alt", f.alt);
    m_src = addEdit("Image source", "src", f.src);
    m_vspace = addDigitsEdit("Vertical space", "vspace", f.vspace);
    m_hspace = addDigitsEdit("Horizontal space", "hspace", f.hspace);
    m_localSrc = addEdit("Local source", "localSrc", f.localSrc);
    m_height = addDigitsEdit("Height", "height", f.height);
    m_width = addDigitsEdit("Width", "width", f.width);
    m_align = addChoice("Align", "align", {"Bottom", "Middle", "Top"}, static_cast<int>(f.align));
    m_xmlLang = addEdit("xml:lang", "xmlLang", f.xmlLang);
    finish();
}

bool ImageDialog::commit()
{
    ImageFields f;
    f.alt = text(m_alt);
    f.src = text(m_src);
    f.vspace = text(m_vspace);
    f.hspace = text(m_hspace);
    f.localSrc = text(m_localSrc);
    f.height = text(m_height);
    f.width = text(m_width);
    const int align = m_align->checkedId();
    f.align = align < 0 ? ImageAlign::Bottom : static_cast<ImageAlign>(align);
    f.xmlLang = text(m_xmlLang);
    m_outcome.fragment = BuildImageTag(f);
    m_outcome.accepted = true;
    return true;
}

DialogOutcome RunImageDlg(const StartTag &tag, QWidget *parent)
{
    ImageDialog dialog(tag, parent);
    dialog.exec();
    return dialog.outcome();
}

} // namespace tess
