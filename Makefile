# make play: set up, build and start the game.  make test: set up, build and run every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: play test setup build bench clean

play: build
	$(BUILD)/brumox

test: build
	cd $(BUILD) && ctest --output-on-failure

setup:
	@scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

bench: build
	$(BUILD)/bench_painting

clean:
	rm -rf $(BUILD)
