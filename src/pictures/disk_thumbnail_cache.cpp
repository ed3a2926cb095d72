#include "pictures/disk_thumbnail_cache.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/platform.h"

namespace {

constexpr char kMagic[] = "VMTHUMB1";
constexpr uint64_t kFolderBudgetBytes = 256ull << 20;
constexpr uint64_t kTrimmedBytes = kFolderBudgetBytes / 4 * 3;  // room left after a trim
constexpr size_t kFolderCapacity = 4096;

// FNV-1a, 64 bits: enough to tell a damaged entry from a sound one.
uint64_t Fnv1a(const uint8_t* bytes, size_t count, uint64_t hash = 14695981039346656037ull) {
  for (size_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  return hash;
}

struct Header {
  char magic[8];
  uint64_t size;
  int64_t modified;
  int32_t cellSize, width, height, columns, rows;
  uint32_t pathLength;
};

// Copies count bytes to at; answers the byte after them.
uint8_t* Put(uint8_t* at, const void* data, size_t count) {
  if (count > 0) std::memcpy(at, data, count);
  return at + count;
}

bool CacheFolder(std::string* folder) {
  char buffer[kFolderCapacity];
  if (!platform::ThumbnailCacheFolder(buffer, sizeof buffer)) return false;
  *folder = buffer;
  return true;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes) {
  platform::ReadableFile* file = platform::OpenFileForReading(path.c_str());
  if (file == nullptr) return false;
  const int64_t size = platform::SizeOfFile(file);
  // A failed size (negative) wraps far past the limit; an empty file fails as too short later.
  bool ok = static_cast<uint64_t>(size) < (uint64_t{64} << 20);
  if (ok) {
    bytes->resize(static_cast<size_t>(size));
    ok = platform::ReadFromFile(file, bytes->data(), bytes->size()) == bytes->size();
  }
  platform::CloseReadableFile(file);
  return ok;
}

struct FolderFile {
  std::string name;
  uint64_t size;
  int64_t modified;
};

void CollectFile(void* context, const char* name, uint64_t size, int64_t modified) {
  static_cast<std::vector<FolderFile>*>(context)->push_back({name, size, modified});
}

// Removes the least recently used files until the folder holds at most kTrimmedBytes; answers
// what it then holds.
uint64_t TrimFolder(const std::string& folder) {
  std::vector<FolderFile> files;
  platform::ListFolderFiles(folder.c_str(), CollectFile, &files);
  uint64_t total = 0;
  for (const FolderFile& file : files) total += file.size;
  if (total <= kFolderBudgetBytes) return total;
  std::sort(files.begin(), files.end(),
            [](const FolderFile& a, const FolderFile& b) { return a.modified < b.modified; });
  for (const FolderFile& file : files) {
    if (total <= kTrimmedBytes) break;
    if (platform::RemoveFile((folder + "/" + file.name).c_str())) total -= file.size;
  }
  return total;
}

// One background thread writes queued entries, so that no frame waits for the disk.
class DiskWriter {
 public:
  ~DiskWriter() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ending_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
  }

  void Queue(std::string folder, ThumbnailKey key, CachedPicture picture) {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back({std::move(folder), std::move(key), std::move(picture)});
    if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    changed_.notify_all();
  }

  void Flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return queue_.empty() && !writing_; });
  }

 private:
  struct Entry {
    std::string folder;
    ThumbnailKey key;
    CachedPicture picture;
  };

  void Run() {
    platform::LowerThreadPriority();
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return ending_ || !queue_.empty(); });
      if (queue_.empty()) return;
      Entry entry = std::move(queue_.front());
      queue_.pop_front();
      writing_ = true;
      lock.unlock();
      Write(entry);
      lock.lock();
      writing_ = false;
      changed_.notify_all();
    }
  }

  void Write(const Entry& entry) {
    const std::vector<uint8_t> bytes = EncodeDiskThumbnail(entry.key, entry.picture);
    const std::string path = entry.folder + "/" + DiskThumbnailName(entry.key);
    if (!platform::ReplaceFileAtomically(path.c_str(), bytes.data(), bytes.size())) return;
    if (entry.folder != folder_) folderBytes_ = TrimFolder(entry.folder), folder_ = entry.folder;
    folderBytes_ += bytes.size();
    if (folderBytes_ > kFolderBudgetBytes) folderBytes_ = TrimFolder(entry.folder);
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Entry> queue_;
  bool writing_ = false, ending_ = false;
  std::thread thread_;
  std::string folder_;  // the folder whose total folderBytes_ estimates
  uint64_t folderBytes_ = 0;
};

DiskWriter& Writer() {
  static DiskWriter writer;
  return writer;
}

}  // namespace

std::string DiskThumbnailName(const ThumbnailKey& key) {
  uint64_t hash = Fnv1a(reinterpret_cast<const uint8_t*>(key.path.data()), key.path.size());
  for (const int64_t part : {static_cast<int64_t>(key.size), key.modified, int64_t{key.cellSize}})
    hash = Fnv1a(reinterpret_cast<const uint8_t*>(&part), sizeof part, hash);
  char name[sizeof "0123456789abcdef.thumb"];
  std::snprintf(name, sizeof name, "%016llx.thumb", static_cast<unsigned long long>(hash));
  return name;
}

std::vector<uint8_t> EncodeDiskThumbnail(const ThumbnailKey& key, const CachedPicture& picture) {
  Header header{};
  std::memcpy(header.magic, kMagic, sizeof header.magic);
  header.size = key.size;
  header.modified = key.modified;
  header.cellSize = key.cellSize;
  header.width = picture.width;
  header.height = picture.height;
  header.columns = picture.thumbnail.columns;
  header.rows = picture.thumbnail.rows;
  header.pathLength = static_cast<uint32_t>(key.path.size());
  const std::vector<uint8_t>& rgb = picture.thumbnail.rgb;
  std::vector<uint8_t> bytes(sizeof header + key.path.size() + rgb.size() + sizeof(uint64_t));
  uint8_t* at = Put(bytes.data(), &header, sizeof header);
  at = Put(at, key.path.data(), key.path.size());
  at = Put(at, rgb.data(), rgb.size());
  const uint64_t checksum = Fnv1a(bytes.data(), static_cast<size_t>(at - bytes.data()));
  Put(at, &checksum, sizeof checksum);
  return bytes;
}

bool DecodeDiskThumbnail(const std::vector<uint8_t>& bytes, const ThumbnailKey& key, CachedPicture* picture) {
  Header header{};  // what a short file lacks stays zero: no magic
  std::copy_n(bytes.begin(), std::min(bytes.size(), sizeof header), reinterpret_cast<uint8_t*>(&header));
  if (std::memcmp(header.magic, kMagic, sizeof header.magic) != 0 || header.size != key.size ||
      header.modified != key.modified || header.cellSize != key.cellSize ||
      header.pathLength != key.path.size() || header.columns < 0 || header.rows < 0)
    return false;
  // Sizes that are not negative cannot wrap (3 x 2^62 fits), and the file's own size bounds them.
  const size_t samples = size_t(header.columns) * size_t(header.rows) * 3;
  if (bytes.size() != sizeof header + header.pathLength + samples + sizeof(uint64_t)) return false;
  const size_t body = bytes.size() - sizeof(uint64_t);
  uint64_t checksum;
  std::memcpy(&checksum, bytes.data() + body, sizeof checksum);
  if (checksum != Fnv1a(bytes.data(), body) ||
      std::memcmp(bytes.data() + sizeof header, key.path.data(), key.path.size()) != 0)
    return false;
  picture->width = header.width;
  picture->height = header.height;
  picture->thumbnail.columns = header.columns;
  picture->thumbnail.rows = header.rows;
  const uint8_t* rgb = bytes.data() + sizeof header + header.pathLength;
  picture->thumbnail.rgb.assign(rgb, rgb + samples);
  return true;
}

bool ReadDiskThumbnail(const ThumbnailKey& key, CachedPicture* picture) {
  std::string folder;
  std::vector<uint8_t> bytes;
  if (!CacheFolder(&folder)) return false;
  const std::string path = folder + "/" + DiskThumbnailName(key);
  if (!ReadWholeFile(path, &bytes) || !DecodeDiskThumbnail(bytes, key, picture)) return false;
  platform::TouchFile(path.c_str());
  return true;
}

void WriteDiskThumbnailLater(const ThumbnailKey& key, const CachedPicture& picture) {
  std::string folder;
  if (CacheFolder(&folder)) Writer().Queue(std::move(folder), key, picture);
}

void FlushDiskThumbnails() { Writer().Flush(); }
