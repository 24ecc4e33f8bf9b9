# The commands of this project; each does its own set-up.
.PHONY: test demo bench clean

test:
	@scripts/run-tests.sh

demo:
	@scripts/demo.sh

# Figures on demand (pages per second under Wine); not a test.
bench:
	@scripts/benchmark.sh

clean:
	rm -rf build
