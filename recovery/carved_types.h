#pragma once
// What the carving keeps of one deleted row, and the live rows the message kind
// looks names up in. Values are the stored bytes: integers in their big-endian
// serial form (0 to 8 bytes), text as UTF-8.
#include <string>

#include "recovery/engine_export.h"

struct CARDIVANE_ENGINE_API CarvedContact {
  std::string rawContactId;
  std::string data1;
};

struct CARDIVANE_ENGINE_API CarvedSms {
  std::string address;
  std::string person;
  std::string body;
};

struct CARDIVANE_ENGINE_API LiveDataPair {
  std::string rawContactId;
  std::string data1;
};
