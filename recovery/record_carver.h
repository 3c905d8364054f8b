#pragma once
// Carving deleted rows out of the free space of a table leaf page: the data of
// a freeblock and the unallocated gap between the cell pointer array and the
// cell content area. Pure functions over bytes; the page walk feeds them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "recovery/carved_types.h"

namespace cdv {

// Positions of the carved columns in the table and its column count, as learnt
// from the database schema. -1 marks a column that was not found.
struct ContactColumns {
  int rawContactId = -1;
  int data1 = -1;
  int count = 0;
  bool known() const;
};

struct SmsColumns {
  int address = -1;
  int person = -1;
  int body = -1;
  int count = 0;
  bool known() const;
};

// Where the records of a freeblock begin. `afterHeader` holds the bytes from
// the freeblock's offset + 4 up to its end (or the page's end, whichever comes
// first), `available` of them; `sizeField` is the freeblock's size field. A
// first byte below 7 is taken as the first serial type, any other byte as the
// header-size byte of the overwritten cell and skipped. Returns false when no
// data remains.
bool FreeblockRecordArea(uint32_t sizeField, const uint8_t* afterHeader, size_t available,
                         const uint8_t** data, size_t* length);

void CarveContactFreeblock(const uint8_t* data, size_t length, const ContactColumns& columns,
                           std::vector<CarvedContact>& out);
void CarveContactGap(const uint8_t* gap, size_t length, const ContactColumns& columns,
                     std::vector<CarvedContact>& out);

void CarveSmsFreeblock(const uint8_t* data, size_t length, const SmsColumns& columns,
                       std::vector<CarvedSms>& out);
void CarveSmsGap(const uint8_t* gap, size_t length, const SmsColumns& columns,
                 std::vector<CarvedSms>& out);

}  // namespace cdv
