#include "platform/siftdb/siftdb_entry.h"

#include <new>

#include "platform/siftdb/siftdb_reader.h"

extern "C" int CDV_CDECL SiftDbReadContacts(const char* path, cdv::AuxRecord** aux, cdv::ContactRecord** contacts,
                                            cdv::DataRecord** data, cdv::MimeTypeRecord** mimeTypes) {
  cdv::ReaderLists lists;
  int result = -1;
  try {
    if (path != nullptr) {
      cdv::SiftDbResult read = cdv::ReadContactsDatabase(path);
      if (read.opened) {
        lists = read.lists;
        result = read.contactCount;
        // The caller keeps these records for the life of the process and never
        // frees them: the storage is handed over for good.
        new std::shared_ptr<cdv::RecordArena>(std::move(read.storage));
      }
    }
  } catch (...) {
    // Out of memory: no exception leaves the library.
    lists = {};
    result = -1;
  }
  if (aux != nullptr) *aux = lists.aux;
  if (contacts != nullptr) *contacts = lists.contacts;
  if (data != nullptr) *data = lists.data;
  if (mimeTypes != nullptr) *mimeTypes = lists.mimeTypes;
  return result;
}
