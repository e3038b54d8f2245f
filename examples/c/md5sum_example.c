/* md5sum_example: prints the MD5 digest of each file named on the command
 * line, one line per file, in the form "digest  name".
 *
 * Build against md5lib: include <md5lib.h>, link with -lmd5lib. Every text
 * md5lib returns is yours to free(). MD5File gives NULL for a file it cannot
 * open or map, and for an empty file.
 */
#include <md5lib.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
  int i;
  if (argc < 2) {
    fprintf(stderr, "usage: %s FILE...\n", argv[0]);
    return 2;
  }
  for (i = 1; i < argc; ++i) {
    char* digest = MD5File(argv[i]);
    if (digest != NULL) {
      printf("%s  %s\n", digest, argv[i]);
      free(digest);
    } else {
      printf("%-32s  %s (missing, unreadable or empty)\n", "no digest", argv[i]);
    }
  }
  return 0;
}
