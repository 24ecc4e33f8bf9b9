#!/usr/bin/env bash
# The system's main job: a host scanning pages into print jobs.
echo "make demo: not available yet."
echo "The job interface does not print yet: jobport.dll builds and its debug log"
echo "and error reporter work, but JP_init and the job operations still return 0."
echo "Run 'make test' to build everything and run the tests."
exit 1
