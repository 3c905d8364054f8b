#pragma once
// Databases from the contacts generator (tools/contactsgen), with the ground
// truth it writes beside each file. Native only: the generator is Python.
#include <filesystem>
#include <string>
#include <vector>

namespace cdv::test {

// Runs the generator; false when it could not run.
bool GenerateContactsDb(const std::filesystem::path& out, int contacts, const std::string& layout, int seed,
                        const std::string& extra = "");

// A TSV file of the ground truth without its header line; NULL is an empty field.
std::vector<std::vector<std::string>> ReadTruth(const std::filesystem::path& tsv);

}  // namespace cdv::test
