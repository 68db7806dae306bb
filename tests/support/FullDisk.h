#pragma once

#include <sqlite3.h>
#include <sys/stat.h>
#include <cerrno>
#include <list>
#include <string>
#include <utility>

namespace almanis::test {

// While it lives, every SQLite file of this process is on a full disk: a
// write that would make a file longer fails as the system fails it (errno
// ENOSPC), and so does making the shared memory of write-ahead logging;
// reading, writing over what a file holds, and shared memory that another
// connection made already, still work. It is SQLite's
// default file system in the meantime, put in front of the real one.
class FullDisk {
  public:
    FullDisk() {
        real() = sqlite3_vfs_find(nullptr);
        vfs_ = *real();
        vfs_.zName = "almanis-full-disk";
        vfs_.xOpen = &open;
        sqlite3_vfs_register(&vfs_, 1);
    }
    ~FullDisk() {
        sqlite3_vfs_unregister(&vfs_);
        sqlite3_vfs_register(real(), 1);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

  private:
    // The real methods of each kind of file, and the full disk's in front
    // (a list: the pointers handed out stay valid).
    using Methods = std::pair<const sqlite3_io_methods*, sqlite3_io_methods>;
    static std::list<Methods>& methods() {
        static std::list<Methods> all;
        return all;
    }
    static sqlite3_vfs*& real() {
        static sqlite3_vfs* vfs = nullptr;
        return vfs;
    }
    static const sqlite3_io_methods& realMethods(sqlite3_file* file) {
        for (const Methods& m : methods()) {
            if (&m.second == file->pMethods) {
                return *m.first;
            }
        }
        return *file->pMethods;
    }
    static int open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags,
                    int* outFlags) {
        const int rc = real()->xOpen(real(), name, file, flags, outFlags);
        if (rc != SQLITE_OK || !file->pMethods) {
            return rc;
        }
        Methods* found = nullptr;
        for (Methods& m : methods()) {
            found = m.first == file->pMethods ? &m : found;
        }
        if (!found) {
            methods().emplace_back(file->pMethods, *file->pMethods);
            found = &methods().back();
            found->second.xWrite = &write;
            found->second.xShmMap = &shmMap;
            found->second.xClose = &close;
        }
        file->pMethods = &found->second;
        if (flags & SQLITE_OPEN_MAIN_DB) {
            names().emplace_back(file, std::string(name));
        }
        return rc;
    }
    // The database files open, by their handles.
    static std::list<std::pair<sqlite3_file*, std::string>>& names() {
        static std::list<std::pair<sqlite3_file*, std::string>> all;
        return all;
    }
    static int close(sqlite3_file* file) {
        names().remove_if([file](const auto& n) { return n.first == file; });
        return realMethods(file).xClose(file);
    }
    static int write(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
        sqlite3_int64 size = 0;
        realMethods(file).xFileSize(file, &size);
        if (offset + amount > size) {
            errno = ENOSPC;
            return SQLITE_FULL;
        }
        return realMethods(file).xWrite(file, data, amount, offset);
    }
    static int shmMap(sqlite3_file* file, int region, int size, int extend, void volatile** p) {
        for (const auto& [open, name] : names()) {
            struct stat status {};
            if (open == file && ::stat((name + "-shm").c_str(), &status) == 0 &&
                status.st_size >= sqlite3_int64(region + 1) * size) {
                return realMethods(file).xShmMap(file, region, size, extend, p);
            }
        }
        errno = ENOSPC;
        return SQLITE_IOERR_SHMSIZE;
    }

    sqlite3_vfs vfs_{};
};

}  // namespace almanis::test
