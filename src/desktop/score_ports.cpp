#include "desktop/score_ports.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

namespace flakmire {

namespace {

constexpr qint64 CopyChunk = 64 * 1024;

QString Text(std::string_view utf8) {
  // The game separates lines with CR LF; Qt's boxes break lines at LF alone.
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).replace("\r\n", "\n");
}

std::string Failure(const QFileDevice& file) {
  return (file.fileName() + ": " + file.errorString()).toStdString();
}

// Writes the file whole with `write`, or leaves the old one in place and says why.
template <typename Write>
std::string Replace(const std::string& path, Write write) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return Failure(file);
  const std::string written = write(file);
  if (!written.empty()) {
    file.cancelWriting();
    return written;
  }
  return file.commit() ? std::string() : Failure(file);
}

}  // namespace

FileRead QtFileStore::ReadFile(const std::string& path, std::size_t maxBytes) {
  QFile file(QString::fromStdString(path));
  if (!file.exists()) return {};
  FileRead read;
  read.found = true;
  if (!file.open(QIODevice::ReadOnly)) {
    read.error = Failure(file);
    return read;
  }
  const QByteArray bytes = file.read(static_cast<qint64>(maxBytes));
  if (file.error() != QFileDevice::NoError) read.error = Failure(file);
  read.bytes.assign(bytes.begin(), bytes.end());
  return read;
}

std::string QtFileStore::ReplaceFile(const std::string& path,
                                     const std::vector<std::uint8_t>& bytes) {
  return Replace(path, [&bytes](QSaveFile& file) {
    const auto size = static_cast<qint64>(bytes.size());
    const bool done = file.write(reinterpret_cast<const char*>(bytes.data()), size) == size;
    return done ? std::string() : Failure(file);
  });
}

std::string QtFileStore::ReplaceWithCopy(const std::string& from, const std::string& to) {
  return Replace(to, [&from](QSaveFile& file) {
    QFile source(QString::fromStdString(from));
    if (!source.exists()) return std::string();  // nothing to copy: an empty file
    if (!source.open(QIODevice::ReadOnly)) return Failure(source);
    while (!source.atEnd()) {
      const QByteArray chunk = source.read(CopyChunk);
      if (source.error() != QFileDevice::NoError) return Failure(source);
      if (file.write(chunk) != chunk.size()) return Failure(file);
    }
    return std::string();
  });
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
  QMessageBox box(QMessageBox::NoIcon, Text(title), Text(text),
                  yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner_);
  switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    default: return MessageAnswer::Closed;
  }
}

std::string QtPrompts::InputBox(std::string_view prompt, std::string_view title) {
  bool ok = false;
  const QString answer =
      QInputDialog::getText(owner_, Text(title), Text(prompt), QLineEdit::Normal, QString(), &ok);
  return ok ? answer.toStdString() : std::string();
}

void QtPrompts::OpenDocument(const std::string& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

}  // namespace flakmire
