#include "files/file_browser.h"

#include "app/form1.h"

namespace quorvex {

FileBrowser::FileBrowser(Form1& form) : form_(form) {}

void FileBrowser::Drive1_Change() {}
void FileBrowser::Dir1_Change() {}
void FileBrowser::Combo2_Change() {}
void FileBrowser::Combo2_Click() {}
void FileBrowser::Combo2_LostFocus() {}
void FileBrowser::Command3_Click() {}
void FileBrowser::List3_Click() {}
void FileBrowser::List3_DblClick() {}
void FileBrowser::Label1_Change() {}
void FileBrowser::Combo1_Click() {}
QString FileBrowser::directoryPrefix() const { return {}; }
QString FileBrowser::selectedFile() const { return {}; }

} // namespace quorvex
