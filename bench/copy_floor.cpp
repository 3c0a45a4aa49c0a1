// The copy floor: what any safe in-memory sorter must at least pay. Reads the
// whole file into one fresh buffer, allocated as the sorter allocates its
// own, and writes it back unchanged through the same flushed temporary file
// and rename.
//   copy_floor FILE
#include <cstdio>

#include "file_access.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: copy_floor FILE\n");
    return 2;
  }
  const tavelin::ReadResult file = tavelin::readWholeFile(argv[1]);
  if (file.status != tavelin::FileStatus::Ok) return 1;
  return tavelin::writeWholeFile(argv[1], {file.bytes.view()}) == tavelin::FileStatus::Ok ? 0 : 1;
}
