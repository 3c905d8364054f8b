#include "generated_truth.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace cdv::test {

bool GenerateContactsDb(const std::filesystem::path& out, int contacts, const std::string& layout, int seed,
                        const std::string& extra) {
  const std::string command = "python3 '" CARDIVANE_SOURCE_DIR "/tools/contactsgen/gen_contacts.py' --out '" +
                              out.string() + "' --contacts " + std::to_string(contacts) + " --layout " + layout +
                              " --seed " + std::to_string(seed) + " " + extra + " >/dev/null";
  return std::system(command.c_str()) == 0;
}

std::vector<std::vector<std::string>> ReadTruth(const std::filesystem::path& tsv) {
  std::ifstream in(tsv, std::ios::binary);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (header) {
      header = false;
      continue;
    }
    std::vector<std::string> fields;
    std::stringstream split(line);
    std::string field;
    while (std::getline(split, field, '\t')) fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.emplace_back();
    rows.push_back(std::move(fields));
  }
  return rows;
}

}  // namespace cdv::test
