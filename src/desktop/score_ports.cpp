#include "desktop/score_ports.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDesktopServices>
#include <QDir>
#include <QInputDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "desktop/centred.h"

namespace flakmire {

namespace {

// Tries at a free name for a new file, should killed saves have left some behind.
constexpr int NewFileTries = 100;

QString Text(std::string_view utf8) {
  // The game separates lines with CR LF; Qt's boxes break lines at LF alone.
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).replace("\r\n", "\n");
}

std::string Failure(const std::string& path, int error = errno) {
  return path + ": " + std::strerror(error);
}

std::string NotAFile(const std::string& path) { return path + ": not a regular file"; }

// A file descriptor that is closed when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  // Closes it now: false when the system could not keep what was written.
  bool Close() { return close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

// "" when the path holds nothing or a regular file, else why it may not be replaced.
std::string CheckReplaceable(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return errno == ENOENT ? "" : Failure(path);
  return S_ISREG(info.st_mode) ? "" : NotAFile(path);
}

// Writes the file whole under a new name beside its path, named in `made`, and flushes it to the
// disk; every step is checked, as a full disk or a size limit may fail any of them.
std::string WriteBeside(const NewFile& file, std::string& made) {
  int fd = -1;
  for (int n = 0; fd < 0 && n < NewFileTries; ++n) {
    made = file.path + "." + std::to_string(getpid()) + "-" + std::to_string(n) + ".new";
    fd = open(made.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return made.clear(), Failure(file.path);
  Descriptor out(fd);
  for (std::size_t done = 0; done < file.bytes.size();) {
    const ssize_t n = write(fd, file.bytes.data() + done, file.bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Failure(file.path, n < 0 ? errno : EIO);
    done += static_cast<std::size_t>(n);
  }
  if (fsync(fd) != 0 || !out.Close()) return Failure(file.path);
  return "";
}

}  // namespace

FileRead QtFileStore::ReadFile(const std::string& path, std::size_t maxBytes) {
  FileRead read;
  // Opened so that nothing can make it wait or lead elsewhere: a pipe would wait for a writer,
  // and a link could point anywhere.
  const Descriptor in(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  const int failure = errno;
  if (in.get() < 0 && failure == ENOENT) return read;
  read.found = true;
  if (in.get() < 0) {
    // A link is refused by name: it fails as a loop.
    read.error = failure == ELOOP ? NotAFile(path) : Failure(path, failure);
    return read;
  }
  struct stat info {};
  if (fstat(in.get(), &info) != 0) {
    read.error = Failure(path);
    return read;
  }
  if (!S_ISREG(info.st_mode)) {
    read.error = NotAFile(path);
    return read;
  }
  read.bytes.resize(std::min(static_cast<std::size_t>(info.st_size), maxBytes));
  std::size_t got = 0;
  while (got < read.bytes.size()) {
    const ssize_t n = ::read(in.get(), read.bytes.data() + got, read.bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) read.error = Failure(path);
    if (n <= 0) break;  // at an error, or the file has become shorter: what is there
    got += static_cast<std::size_t>(n);
  }
  read.bytes.resize(got);
  return read;
}

std::string QtFileStore::RemoveFile(const std::string& path) {
  const std::string refused = CheckReplaceable(path);
  if (!refused.empty()) return refused;
  return unlink(path.c_str()) == 0 || errno == ENOENT ? "" : Failure(path);
}

std::string QtFileStore::ReplaceFiles(std::span<const NewFile> files) {
  std::vector<std::string> made(files.size());
  std::string error;
  for (std::size_t i = 0; i < files.size() && error.empty(); ++i) {
    error = CheckReplaceable(files[i].path);
    if (error.empty()) error = WriteBeside(files[i], made[i]);
  }
  std::size_t renamed = 0;
  while (error.empty() && renamed < files.size()) {
    if (std::rename(made[renamed].c_str(), files[renamed].path.c_str()) == 0) {
      ++renamed;
    } else {
      error = Failure(files[renamed].path);
    }
  }
  // What was not renamed into place goes: a failed save leaves no new file behind.
  for (std::size_t i = renamed; i < files.size(); ++i) {
    if (!made[i].empty()) unlink(made[i].c_str());
  }
  return error;
}

bool QtFileStore::CanWriteIn(const std::string& folder) {
  // Trying is the only honest test: permissions, read-only disks and the user's rights all count.
  QTemporaryFile probe(QString::fromStdString(folder) + "/.flakmire-XXXXXX");
  return probe.open();
}

std::string QtFileStore::UserDataFolder() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (folder.isEmpty() || !QDir().mkpath(folder)) return {};
  return folder.toStdString();
}

MessageAnswer QtPrompts::MessageBox(std::string_view text, MessageButtons buttons,
                                    std::string_view title) {
  const bool yesNo = buttons == MessageButtons::YesNo;
  Centred<QMessageBox> box(QMessageBox::NoIcon, Text(title), Text(text),
                           yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner_);
  switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    default: return MessageAnswer::Closed;
  }
}

std::string QtPrompts::InputBox(std::string_view prompt, std::string_view title,
                                std::string_view answer) {
  Centred<QInputDialog> box(owner_);
  box.setWindowTitle(Text(title));
  box.setLabelText(Text(prompt));
  box.setTextValue(Text(answer));
  if (box.exec() != QDialog::Accepted) return {};
  // Composed, an "e" with its dots typed as two characters is the one "ë" the table keeps.
  return box.textValue().normalized(QString::NormalizationForm_C).toStdString();
}

void QtPrompts::OpenDocument(const std::string& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace flakmire
