#include "view/missing_files.h"

#include <QFileInfo>

#include "view/program_folder.h"

namespace zarnath {

namespace {
struct MissingFileState {
  MissingFileNotice notice;
  bool reported = false;
};

MissingFileState& State() {
  static MissingFileState state;
  return state;
}
}  // namespace

void SetMissingFileNotice(MissingFileNotice notice) {
  State().notice = std::move(notice);
}

std::string MissingFileText(const QString& name) {
  return "The File \"" + name.toLatin1().toStdString() +
         "\" Is Missing From The Game's Folder Or Cannot Be Read.\r\n"
         "The Game Goes On Without It: Missing Pictures Show Black And Missing Sounds Stay "
         "Silent.\r\nReinstall The Game To Bring Back Its Files.";
}

void ReportMissingFile(const QString& name) {
  MissingFileState& state = State();
  if (state.reported) return;
  state.reported = true;
  if (state.notice) state.notice(MissingFileText(name), "Zarnath Error");
}

bool MissingFileReported() {
  return State().reported;
}
void ResetMissingFileReport() {
  State().reported = false;
}

QPixmap LoadPicture(const QString& name, QSize size) {
  QPixmap picture;
  const QString path = ProgramFile(name);
  if (QFileInfo::exists(path)) picture.load(path);
  if (picture.isNull()) {
    ReportMissingFile(name);
    picture = QPixmap(size);
    picture.fill(Qt::black);
  }
  return picture;
}

}  // namespace zarnath
