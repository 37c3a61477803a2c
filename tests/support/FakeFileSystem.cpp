#include "support/FakeFileSystem.h"

#include <algorithm>
#include <cstring>

namespace k2q::testing {
namespace {

class FakeReader : public FileInput {
  public:
    FakeReader(std::vector<std::uint8_t> bytes, bool fail)
        : bytes_(std::move(bytes)), fail_(fail) {}

    std::optional<std::size_t> Read(void* buffer, std::size_t capacity) override {
        if (fail_) {
            return std::nullopt;
        }
        const std::size_t n = std::min(capacity, bytes_.size() - offset_);
        if (n) {
            std::memcpy(buffer, bytes_.data() + offset_, n);
        }
        offset_ += n;
        return n;
    }

  private:
    std::vector<std::uint8_t> bytes_;
    std::size_t offset_ = 0;
    bool fail_;
};

class FakeWriter : public FileWriter {
  public:
    FakeWriter(FakeFileSystem& owner, std::u16string path)
        : owner_(owner), path_(std::move(path)) {}

    bool Write(const void* data, std::size_t size) override {
        auto file = owner_.files.find(path_);
        if (closed_ || file == owner_.files.end()) {
            return false;
        }
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        const bool fail = owner_.writeCalls++ == owner_.failWriteAt;
        const std::size_t n = fail ? size / 2 : size;  // a disk that fills up part-way
        file->second.insert(file->second.end(), bytes, bytes + n);
        return !fail;
    }
    bool Flush() override { return !closed_ && !owner_.failFlush; }
    bool Close() override {
        closed_ = true;
        return !owner_.failClose;
    }

  private:
    FakeFileSystem& owner_;
    std::u16string path_;
    bool closed_ = false;
};

}  // namespace

std::unique_ptr<FileInput> FakeFileSystem::OpenForReading(std::u16string_view path) {
    auto file = files.find(std::u16string(path));
    if (file == files.end()) {
        return nullptr;
    }
    return std::make_unique<FakeReader>(file->second, failRead);
}

std::unique_ptr<FileWriter> FakeFileSystem::CreateTemporaryBeside(std::u16string_view target,
                                                                  std::u16string& temporaryPath) {
    if (failCreate) {
        return nullptr;
    }
    std::u16string name = std::u16string(target) + u".tmp";
    while (files.contains(name)) {
        name += u"~";
    }
    files[name];
    temporaryPath = name;
    return std::make_unique<FakeWriter>(*this, name);
}

bool FakeFileSystem::Replace(std::u16string_view temporaryPath, std::u16string_view target) {
    auto from = files.find(std::u16string(temporaryPath));
    if (from == files.end() || readOnly.contains(std::u16string(target))) {
        return false;
    }
    std::vector<std::uint8_t> bytes = std::move(from->second);
    files.erase(from);
    files[std::u16string(target)] = std::move(bytes);
    return true;
}

void FakeFileSystem::Remove(std::u16string_view path) {
    files.erase(std::u16string(path));
}

}  // namespace k2q::testing
