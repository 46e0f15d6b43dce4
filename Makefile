# Shortcuts for the scripts: make play, make test, make bench.
.PHONY: play test bench clean

play:
	scripts/play

test:
	scripts/test

bench:
	scripts/build.sh
	build/bench_painting
	build/bench_writers

clean:
	rm -rf build
