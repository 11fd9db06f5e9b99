/* A tiny library built twice, into two folders, under one file name; each
   copy answers which folder it came from. */
int which(void) { return TESTEXT_WHICH; }
int add(int a, int b) { return a + b + 1000 * TESTEXT_WHICH; }
