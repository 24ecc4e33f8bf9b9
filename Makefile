# The two commands of this project; each does its own set-up.
.PHONY: test demo clean

test:
	@scripts/run-tests.sh

demo:
	@scripts/demo.sh

clean:
	rm -rf build
