# The commands of this project; each does its own set-up.
.PHONY: test demo bench release fuzz soak clean

test:
	@scripts/run-tests.sh

demo:
	@scripts/demo.sh

# Figures on demand (pages per second under Wine); not a test.
bench:
	@scripts/benchmark.sh

# The installer, a zip of the binaries and the cfg files, and their SHA-256
# checksums, in build/release.
release:
	@scripts/release.sh

# Every parser of files another program or a user writes, under libFuzzer
# with ASan and UBSan, FUZZ_SECONDS (default 60) per target; new inputs that
# reach new code join tests/fuzz/corpus, which make test replays.
fuzz:
	@scripts/fuzz.sh

# 100,000 pages through the real jobport.dll under Wine with faults injected
# from a printed seed (SOAK_PAGES, SOAK_SEED; SOAK_HOSTS host processes on
# one installation); fails on a lost, doubled or left-behind page or on
# handle or memory growth.
soak:
	@scripts/soak.sh

clean:
	rm -rf build
