#pragma once

// A write-only QIODevice over an AtomicFile, so that Qt's writers that write strictly forwards
// (the PDF writer, the image writers) stream into the target's replacement file instead of
// building the whole file in memory first.

#include <QIODevice>

namespace tessemar {

class AtomicFile;

// Opened for writing on construction. A failed write fails the Qt writer; the errno value is
// the file's Error().
class AtomicFileDevice : public QIODevice {
  public:
    explicit AtomicFileDevice(AtomicFile& file);
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

  private:
    AtomicFile& file_;
};

}  // namespace tessemar
