/*
 * hello.c: prints a greeting.
 */
#include <stdio.h>

static int count;

int main(int argc,
         char** argv)
{
	printf("Hello, %s, and a line long enough to wrap twice on this page.\n", argv[0]);
	return 0;
}

void after_the_form_feed(void) {}
