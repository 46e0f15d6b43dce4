# Shortcuts for the scripts: make play, make test, make web, make bench.
.PHONY: play test web bench clean

play:
	scripts/play

test:
	scripts/test

web:
	scripts/web

bench:
	scripts/build.sh
	build/bench_painting
	build/bench_writers

clean:
	rm -rf build
