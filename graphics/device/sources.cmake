# Sources of this subsystem.
target_sources(pellux_graphics PRIVATE)
